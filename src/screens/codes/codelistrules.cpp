#include "codelistrules.h"

#include "platform/text.h"

QString CodeListRules::query(const QString &filter)
{
    return Text::trimBlanks(filter).toLower();
}

bool CodeListRules::matches(const OBDCode &code, std::optional<Seriousness> level, const QString &query)
{
    if (level && code.level() != *level)
        return false;
    if (query.isEmpty())
        return true;
    return code.code.toLower().startsWith(query) || code.title.toLower().contains(query)
        || code.family.toLower().contains(query);
}

QList<OBDCode> CodeListRules::matching(const QList<OBDCode> &all, std::optional<Seriousness> level,
                                       const QString &query)
{
    QList<OBDCode> out;
    for (const OBDCode &c : all)
        if (matches(c, level, query))
            out.append(c);
    return out;
}

QList<CodeListRules::Folded> CodeListRules::fold(const QList<OBDCode> &all)
{
    QList<Folded> out;
    out.reserve(all.size());
    for (const OBDCode &c : all)
        out.append({c.code.toLower(), c.title.toLower(), c.family.toLower()});
    return out;
}

QList<OBDCode> CodeListRules::matching(const QList<OBDCode> &all, const QList<Folded> &folded,
                                       std::optional<Seriousness> level, const QString &query)
{
    if (folded.size() != all.size())
        return matching(all, level, query);
    QList<OBDCode> out;
    for (qsizetype i = 0; i < all.size(); ++i) {
        const Folded &f = folded[i];
        if (level && all[i].level() != *level)
            continue;
        if (query.isEmpty() || f.code.startsWith(query) || f.title.contains(query) || f.family.contains(query))
            out.append(all[i]);
    }
    return out;
}

QString CodeListRules::countLine(qsizetype matching, qsizetype total)
{
    return QString::number(matching) + QStringLiteral(" of ") + QString::number(total) + QStringLiteral(" codes");
}

QString CodeListRules::shownCode(const std::optional<QString> &selected, const QList<OBDCode> &matching)
{
    if (selected)
        return *selected;
    if (!matching.isEmpty())
        return matching.front().code;
    return QStringLiteral("P0300");
}

std::optional<QString> CodeListRules::submit(const QList<OBDCode> &matching, const QString &query)
{
    if (!matching.isEmpty())
        return matching.front().code;
    if (!query.isEmpty())
        return query.toUpper();
    return std::nullopt;
}

bool CodeListRules::chipActive(std::optional<Seriousness> current, std::optional<Seriousness> chip)
{
    return current == chip;
}

QString CodeListRules::chipTitle(std::optional<Seriousness> chip)
{
    return chip ? chip->title() : QStringLiteral("All");
}

QString CodeListRules::prompt()
{
    return QStringLiteral("Code or words (P0420, misfire, EVAP)");
}
