#pragma once

#include <QString>
#include <QStringList>

// One NHTSA defect investigation.
struct Investigation
{
    QString action;
    QString manufacturer;
    QStringList components;
    QString opened;
    QString closed;
    QString recallCampaign;
    QString subject;
    QString summary;

    friend bool operator==(const Investigation &, const Investigation &) = default;
};
