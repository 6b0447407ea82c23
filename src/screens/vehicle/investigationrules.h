#pragma once

#include "data/investigation.h"

#include <QString>
#include <optional>

// The texts of the vehicle page's investigation list.
class InvestigationRules
{
public:
    InvestigationRules() = delete;

    static QString heading();   // "NHTSA defect investigations"
    static QString emptyText(); // "No NHTSA investigations on file for this model year."
    // "<opened> → <closed>", or "<opened> → open" while not closed.
    static QString dates(const Investigation &item);
    // "Led to recall <campaign>"; none without a campaign.
    static std::optional<QString> recallLine(const Investigation &item);
    // The toggle: the item's action, or none when it is already open.
    static std::optional<QString> toggled(const std::optional<QString> &open, const QString &action);
};
