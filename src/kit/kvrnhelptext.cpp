#include "kvrnhelptext.h"

#include "platform/text.h"

namespace KVRNHelpText {

KVRNHelpBlock classify(const QString &line)
{
    const QString trimmed = Text::trimBlanks(line);
    if (trimmed.startsWith(QStringLiteral("## ")))
        return {KVRNHelpBlock::Heading, trimmed.mid(3)};
    if (trimmed.startsWith(QStringLiteral("\u2022 ")))
        return {KVRNHelpBlock::Bullet, trimmed.mid(2)};
    return {KVRNHelpBlock::Paragraph, trimmed};
}

QList<KVRNHelpBlock> blocks(const QString &body)
{
    QList<KVRNHelpBlock> out;
    const QStringList lines = body.split(u'\n');
    for (const QString &line : lines) {
        if (Text::trimBlanks(line).isEmpty())
            continue;
        out.append(classify(line));
    }
    return out;
}

} // namespace KVRNHelpText
