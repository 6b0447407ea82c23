#pragma once

#include <QList>
#include <QString>

// One block of help text, as the help viewer draws it.
struct KVRNHelpBlock
{
    enum Kind { Heading, Bullet, Paragraph };
    Kind kind = Paragraph;
    QString text;

    friend bool operator==(const KVRNHelpBlock &, const KVRNHelpBlock &) = default;
};

// The help text format: lines split at "\n", each trimmed of blanks and tabs
// (not line breaks). An empty line gives nothing; "## " starts a heading and
// "• " a bullet (the marker is dropped); any other line is a paragraph shown
// exactly as written.
namespace KVRNHelpText {

QList<KVRNHelpBlock> blocks(const QString &body);
KVRNHelpBlock classify(const QString &line); // one line; empty text for a blank line

} // namespace KVRNHelpText
