#include "investigationrules.h"

QString InvestigationRules::heading()
{
    return QStringLiteral("NHTSA defect investigations");
}

QString InvestigationRules::emptyText()
{
    return QStringLiteral("No NHTSA investigations on file for this model year.");
}

QString InvestigationRules::dates(const Investigation &item)
{
    return item.opened + QStringLiteral(" \u2192 ") + (item.closed.isEmpty() ? QStringLiteral("open") : item.closed);
}

std::optional<QString> InvestigationRules::recallLine(const Investigation &item)
{
    if (item.recallCampaign.isEmpty())
        return std::nullopt;
    return QStringLiteral("Led to recall ") + item.recallCampaign;
}

std::optional<QString> InvestigationRules::toggled(const std::optional<QString> &open, const QString &action)
{
    if (open == action)
        return std::nullopt;
    return action;
}
