#include "codedetailrules.h"

#include "platform/fvinfo.h"
#include "platform/text.h"

CodeDetailRules::Content CodeDetailRules::content(bool listed, bool wellFormed)
{
    if (listed)
        return Content::Explanation;
    return wellFormed ? Content::Structure : Content::Prompt;
}

bool CodeDetailRules::showsGarageRow(bool listed, bool wellFormed, bool garageOpen)
{
    return (listed || wellFormed) && garageOpen;
}

QString CodeDetailRules::scopeTag(const QString &code)
{
    const QChar second = code.size() > 1 ? code.at(1) : QChar();
    // Makers give chassis codes of the standard's range meanings of their own
    // (GM's C0035-C0050 are its wheel speed sensors), so no C0 code is "all makes".
    if (code.startsWith(u'C') && second == u'0')
        return QStringLiteral("Generic range");
    if (second == u'0' || second == u'2')
        return QStringLiteral("Generic (all makes)");
    return QStringLiteral("Generic range");
}

CodeDetailRules::Block CodeDetailRules::block(const QString &text)
{
    Block b;
    b.bulleted = text.contains(u';');
    for (const QString &piece : text.split(u';', Qt::SkipEmptyParts)) {
        QString line = Text::trimBlanks(piece);
        if (line.isEmpty())
            continue;
        if (b.bulleted && line.endsWith(u'.'))
            line.chop(1);
        // A lone "." item leaves nothing to show.
        if (line.isEmpty())
            continue;
        if (line.at(0).isLower()) {
            // The first user-perceived character in capitals ("ß" may grow).
            const qsizetype n = line.at(0).isHighSurrogate() && line.size() > 1 ? 2 : 1;
            line = line.left(n).toUpper() + line.mid(n);
        }
        b.lines.append(line);
    }
    return b;
}

QString CodeDetailRules::promptText()
{
    return QStringLiteral("Type a 5-character code such as P0300, U0100 or C0035.");
}

QString CodeDetailRules::closingNote()
{
    return FVInfo::draftLabel()
        + QStringLiteral(". Written by Brackenfold in our own words from public descriptions of how these systems "
                         "work; causes are general, not model-specific. Makers sometimes use a code differently "
                         "\u2014 confirm with the vehicle's service information. ")
        + FVInfo::disclaimer();
}

QString CodeDetailRules::structureHeading()
{
    return QStringLiteral("This code isn't in our list.");
}

QString CodeDetailRules::structureIntro()
{
    return QStringLiteral("Here is what its letters and digits tell you:");
}

QString CodeDetailRules::structureFooter()
{
    return QStringLiteral("Codes with a 1 (and some 2 and 3) as the second character are defined by each vehicle "
                          "maker. Look them up in make-specific information, or ask a shop with a factory-level "
                          "scan tool.");
}
