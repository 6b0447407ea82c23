#include "kvmnemonics.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

namespace KVMnemonics {

namespace {

constexpr char kWatched[] = "kvMnemonicsWatched";

// The position of the marked letter, or -1; "&&" is a shown "&".
qsizetype markAt(const QString &title)
{
    for (qsizetype i = 0; i + 1 < title.size(); ++i) {
        if (title[i] != u'&')
            continue;
        if (title[i + 1] == u'&') {
            ++i;
            continue;
        }
        return i + 1;
    }
    return -1;
}

// Letter positions in the order they are tried: word initials first.
QList<qsizetype> candidates(const QString &title, bool initialsOnly)
{
    QList<qsizetype> initials;
    QList<qsizetype> others;
    bool wordStart = true;
    for (qsizetype i = 0; i < title.size(); ++i) {
        if (title[i] == u'&' && i + 1 < title.size() && title[i + 1] == u'&') {
            ++i;
            wordStart = false;
            continue;
        }
        const bool letter = title[i].isLetterOrNumber() && title[i].unicode() < 128;
        if (letter)
            (wordStart ? initials : others) << i;
        wordStart = !title[i].isLetterOrNumber();
    }
    return initialsOnly ? initials : initials + others;
}

} // namespace

QStringList marked(const QStringList &titles)
{
    QStringList out = titles;
    QSet<QChar> used;
    QList<qsizetype> at(titles.size(), -1);
    for (qsizetype i = 0; i < titles.size(); ++i) {
        at[i] = markAt(titles[i]);
        if (at[i] >= 0)
            used.insert(titles[i][at[i]].toLower());
    }
    const auto claim = [&](qsizetype i, qsizetype pos) {
        const QChar c = titles[i][pos].toLower();
        if (at[i] >= 0 || used.contains(c))
            return false;
        used.insert(c);
        at[i] = pos;
        out[i] = titles[i].left(pos) + u'&' + titles[i].mid(pos);
        return true;
    };
    for (int pass = 0; pass < 4; ++pass) {
        for (qsizetype i = 0; i < titles.size(); ++i) {
            if (at[i] >= 0)
                continue;
            const QList<qsizetype> initials = candidates(titles[i], true);
            const bool oneWord = initials.size() == 1;
            if (pass == 0 && oneWord)
                claim(i, initials.front());
            else if (pass == 1 && !initials.isEmpty())
                claim(i, initials.front());
            else if (pass >= 2) {
                for (qsizetype pos : candidates(titles[i], pass == 2)) {
                    if (claim(i, pos))
                        break;
                }
            }
        }
    }
    return out;
}

namespace {

void mark(const QList<QAction *> &actions)
{
    QList<QAction *> items;
    QStringList titles;
    for (QAction *a : actions) {
        if (a->isSeparator() || a->text().isEmpty())
            continue;
        items << a;
        titles << a->text();
    }
    const QStringList out = marked(titles);
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items[i]->text() != out[i])
            items[i]->setText(out[i]);
        if (QMenu *sub = items[i]->menu())
            apply(sub);
    }
}

} // namespace

void apply(QMenuBar *bar)
{
    mark(bar->actions());
}

void apply(QMenu *menu)
{
    mark(menu->actions());
    if (menu->property(kWatched).toBool())
        return;
    menu->setProperty(kWatched, true);
    // Connected after the menu's own refill, so new items are marked too.
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] { mark(menu->actions()); });
}

} // namespace KVMnemonics
