#pragma once

#include "data/guide.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

// The public sources and safety notes that guides and OBD-I sections cite,
// looked up by id, and the links made of them. A link is offered only for an
// http(s) address with a host; anything else gets no link.
class SourceLinks final
{
public:
    SourceLinks() = delete;

    struct Link
    {
        QString text;
        QUrl url;
        friend bool operator==(const Link &, const Link &) = default;
    };

    // The address as a web link, or none.
    static std::optional<QUrl> webAddress(const QString &text);
    // "<publisher>: <title>" per id that names a source with a web address,
    // in the order of `ids`; the others are skipped.
    static QList<Link> listed(const QStringList &ids, const QHash<QString, SourceRef> &sources);
    // The notes of `ids` that exist, in order.
    static QList<SafetyNote> notes(const QStringList &ids, const QHash<QString, SafetyNote> &safety);
    // "Source: <publisher> — <title>" for a note whose source exists and has
    // a web address; else none.
    static std::optional<Link> noteSource(const SafetyNote &note, const QHash<QString, SourceRef> &sources);

    // The closing text of a guide's "Public references".
    static QString guideClosing();
    // Where "Find an ASE-certified technician" leads.
    static QUrl technicianFinder();
};
