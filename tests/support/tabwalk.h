#pragma once

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QList>
#include <QPainter>
#include <QTest>
#include <QWidget>

// Keyboard checks shared by the screen tests: the stops Tab reaches and
// whether a stop shows that it has the focus.
namespace TabWalk {

inline void settle()
{
    for (int i = 0; i < 4; ++i)
        QCoreApplication::processEvents();
}

// The widgets Tab reaches from `first`, in order, until the chain returns
// (at most `limit`).
inline QList<QWidget *> stops(QWidget *first, int limit = 400)
{
    QList<QWidget *> out;
    // A container starts the walk at the first stop inside it.
    for (QWidget *w = first; w && !((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled());
         w = w->nextInFocusChain()) {
        first = w->nextInFocusChain();
        if (first == w->window())
            break;
    }
    first->setFocus(Qt::TabFocusReason);
    settle();
    for (QWidget *w = QApplication::focusWidget(); w && !out.contains(w) && out.size() < limit;
         w = QApplication::focusWidget()) {
        out << w;
        QTest::keyClick(w, Qt::Key_Tab);
        settle();
    }
    return out;
}

// Whether the area round `w` (its focus ring included) looks different with
// and without the focus. In a text field the caret and selection do not
// count: only a ring or rim outside its text does.
inline bool showsFocus(QWidget *w)
{
    const auto *edit = qobject_cast<QLineEdit *>(w);
    const QRect text = edit ? edit->rect().marginsRemoved(edit->textMargins()) : QRect();
    // The ring may be drawn by a sibling or by an ancestor's child above the
    // control: compare the area around it in each ancestor, nearest first.
    QList<QWidget *> painters;
    for (QWidget *p = w->parentWidget(); p && painters.size() < 4; p = p->parentWidget())
        painters << p;
    if (painters.isEmpty())
        painters << w;
    const auto grabAll = [&] {
        QList<QImage> images;
        for (QWidget *p : painters) {
            const QRect area = p == w ? w->rect() : QRect(w->mapTo(p, QPoint(0, 0)), w->size()).adjusted(-8, -8, 8, 8);
            QImage image = p->grab(area).toImage();
            if (edit) {
                QPainter blank(&image);
                blank.fillRect(QRect(w->mapTo(p, text.topLeft()) - area.topLeft(), text.size()), Qt::magenta);
            }
            images << image;
        }
        return images;
    };
    w->setFocus(Qt::TabFocusReason);
    settle();
    const QList<QImage> on = grabAll();
    w->clearFocus();
    settle();
    return on != grabAll();
}

// Tabs from the current focus until `target` has it; false when it never does.
inline bool tabTo(QWidget *target, int limit = 400)
{
    for (int i = 0; i < limit && QApplication::focusWidget() != target; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        settle();
    }
    return QApplication::focusWidget() == target;
}

} // namespace TabWalk
