#include "helptexts.h"

#include <QFile>
#include <QRegularExpression>

namespace {

QString joinedBody(QStringList lines)
{
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines.join(u'\n');
}

} // namespace

HelpTexts HelpTexts::parse(const QString &source)
{
    static const QRegularExpression header(QStringLiteral("^\\[(topic|text) ([^\\]\\s]+)\\]$"));
    HelpTexts out;
    enum class Block { None, Topic, Text } block = Block::None;
    QString name;
    QStringList lines;
    const auto close = [&] {
        if (block == Block::Topic)
            out.m_topics.last().body = joinedBody(lines);
        else if (block == Block::Text)
            out.m_texts.insert(name, joinedBody(lines));
        lines.clear();
    };

    QString text = source;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const QString &line : text.split(u'\n')) {
        const QRegularExpressionMatch m = header.match(line);
        if (m.hasMatch()) {
            close();
            name = m.captured(2);
            block = m.captured(1) == QLatin1String("topic") ? Block::Topic : Block::Text;
            if (block == Block::Topic)
                out.m_topics.append({name, QString(), {}, QString()});
            continue;
        }
        if (block == Block::None)
            continue;
        if (block == Block::Topic && lines.isEmpty()) {
            Topic &t = out.m_topics.last();
            if (t.title.isNull() && line.startsWith(QLatin1String("title: "))) {
                t.title = line.mid(7);
                continue;
            }
            if (t.keywords.isEmpty() && line.startsWith(QLatin1String("keywords: "))) {
                for (const QString &word : line.mid(10).split(u','))
                    t.keywords.append(word.trimmed());
                continue;
            }
        }
        lines.append(line);
    }
    close();
    return out;
}

const HelpTexts &HelpTexts::bundled()
{
    static const HelpTexts texts = [] {
        QFile file(QStringLiteral(":/help/helptopics.txt"));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("the help texts are missing from the resources");
        return parse(QString::fromUtf8(file.readAll()));
    }();
    return texts;
}

QString HelpTexts::fill(const QString &pattern, const QHash<QString, QString> &values)
{
    static const QRegularExpression slot(QStringLiteral("\\{([A-Za-z]+)\\}"));
    QString out;
    qsizetype from = 0;
    for (const QRegularExpressionMatch &m : slot.globalMatch(pattern)) {
        const auto value = values.constFind(m.captured(1));
        if (value == values.cend())
            continue;
        out += QStringView(pattern).mid(from, m.capturedStart() - from);
        out += *value;
        from = m.capturedEnd();
    }
    out += QStringView(pattern).mid(from);
    return out;
}
