#pragma once

#include "data/tsb.h"
#include "tsbopener.h"

#include <QList>
#include <QString>

// Which service bulletins the vehicle page lists and what it says about them.
class TSBListRules
{
public:
    TSBListRules() = delete;

    static constexpr int limit = 40;

    static QString heading();     // "Manufacturer service bulletins (TSBs)"
    static QString placeholder(); // the filter box's hint
    static QString note();        // what the summaries are and what the button does
    // The note for generated bulletins: sample summaries of which no agency copy exists.
    static QString sampleNote();
    static QString emptyText();   // the section's line when the vehicle-year has no bulletins

    // The bulletins whose search text (summary, components and document id,
    // lower-cased, joined by blanks) holds the lower-cased filter; the filter
    // is not trimmed. An empty filter keeps every bulletin.
    static QList<TSB> matching(const QList<TSB> &all, const QString &filter);
    static QString searchText(const TSB &tsb);
    // The first 40 unless `showAll`.
    static QList<TSB> shown(const QList<TSB> &matching, bool showAll);
    // "<matching> of <all>".
    static QString countLine(qint64 matching, qint64 all);
    // "Show all <n>".
    static QString showAllButton(qint64 matching);

    // The display names of the first two components, joined by ", ".
    static QString components(const TSB &tsb);
    // Whether the bulletin's type shows as a tag (not for "Service bulletin").
    static bool showsType(const TSB &tsb);
    // The summary in sentence case, "(No summary provided)" when empty.
    static QString summary(const TSB &tsb);

    // The button's label: "Open at NHTSA", or "Needs internet" offline.
    static QString buttonText(bool online);
    // Also "Show address" while offline only because a request failed,
    // when the button shows the copy's address instead.
    static QString buttonText(bool online, bool offlineByFailure);

    // The status lines of a search for a bulletin's public copy.
    static QString searching(const TSB &tsb);
    static QString notHosted(const TSB &tsb);
    static QString unreachable(const TSB &tsb);

    // The line a finished search leaves beside the bulletin: empty after a
    // copy opened in the browser; otherwise what was found and, when no
    // browser took the address, that address to copy.
    struct Status
    {
        QString text;
        QString address; // empty: nothing to copy
    };
    static Status status(const TSB &tsb, const TSBOpener::Result &result);
    // What the button shows while offline because a request failed: the
    // address of the bulletin's copy (the lookup page when it has none).
    static Status offlineAddress(const TSB &tsb);
    // What the button says of a generated bulletin, online or not: no agency
    // copy exists, so no address or agency id is offered.
    static QString sampleCopy(const TSB &tsb);
    static QString copyAddress();   // "Copy address"
    static QString addressCopied(); // "Address copied"
};
