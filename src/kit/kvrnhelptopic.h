#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One help topic. Identity: `id`; two topics are equal when all four fields are.
// The body is help text: one block per line ("## " heading, "• " bullet,
// anything else a paragraph; see kvrnhelptext.h).
struct KVRNHelpTopic
{
    QString id;
    QString title;
    QString body;
    QStringList keywords; // extra search words, never shown

    friend bool operator==(const KVRNHelpTopic &, const KVRNHelpTopic &) = default;
};

using KVRNHelpTopics = QList<KVRNHelpTopic>;
