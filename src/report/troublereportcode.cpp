#include "troublereportcode.h"

#include "platform/text.h"

QString TroubleReportCode::title() const
{
    if (info)
        return info->title;
    return QStringLiteral("Maker-specific or uncommon code (not in the vorel)");
}

int TroubleReportCode::urgency() const
{
    if (!info)
        return 1;
    return 2 - int(info->level().level());
}

QStringList TroubleReportCode::causesRanked() const
{
    QStringList out;
    if (!info)
        return out;
    for (const QString &piece : info->causes.split(u';', Qt::SkipEmptyParts)) {
        QString cause = Text::trimBlanksAndLineBreaks(piece);
        if (cause.endsWith(u'.'))
            cause.chop(1);
        if (cause.isEmpty())
            continue;
        // Upper-case the first character; a surrogate pair counts as one.
        const qsizetype head = cause.front().isHighSurrogate() && cause.size() > 1 ? 2 : 1;
        out.append(cause.left(head).toUpper() + cause.mid(head));
    }
    return out;
}
