#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// Help texts read from a plain text file. "[topic <id>]" starts a topic (a
// "title:" line, a "keywords:" line of comma-separated words, then its body);
// "[text <name>]" starts a text the code picks by name. A body runs to the
// next header line, without the blank lines at its end. Lines before the
// first header are notes.
class HelpTexts
{
public:
    struct Topic
    {
        QString id;
        QString title;
        QStringList keywords;
        QString body;
    };

    static HelpTexts parse(const QString &source);
    // The application's own, compiled in as a resource.
    static const HelpTexts &bundled();

    const QList<Topic> &topics() const { return m_topics; }
    // The named text, or an empty one.
    QString text(const QString &name) const { return m_texts.value(name); }

    // `pattern` with every "{name}" that `values` holds replaced by its value,
    // in one pass: a value is never searched for names itself. Unknown names
    // stay as written.
    static QString fill(const QString &pattern, const QHash<QString, QString> &values);

private:
    QList<Topic> m_topics;
    QHash<QString, QString> m_texts;
};
