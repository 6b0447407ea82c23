#pragma once

#include "data/guide.h"

#include <QList>
#include <QString>
#include <optional>

// The guide list: guides grouped by their system text, and the guide the
// runner shows.
class GuideListRules final
{
public:
    GuideListRules() = delete;

    struct Group
    {
        QString system; // as stored
        QList<Guide> guides; // in database order
    };
    // One group per distinct system text (exact, case-sensitive), ordered by
    // the texts' code points; guides keep their order inside a group.
    static QList<Group> groups(const QList<Guide> &guides);
    // The group's heading: its key upper-cased.
    static QString heading(const QString &system);
    // The selected guide, else the first guide; none without guides.
    static std::optional<Guide> shown(const QList<Guide> &guides, const std::optional<QString> &selected);
};
