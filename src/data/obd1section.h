#pragma once

#include <QString>
#include <QStringList>

// One section of the OBD-I (pre-1996) notes. Identity: `id`.
struct OBD1Section
{
    QString id;
    QString makes;
    QString years;
    QString system;
    QString connector;
    QStringList steps;
    QString reading;
    QString clearing;
    QString notes;
    QStringList sources; // SourceRef ids
};

// One note on a diagnostic era.
struct EraNote
{
    QString years;
    QString note;
};

// One data source of the credits.
struct DataSource
{
    QString name;
    QString url;
    QString retrieved;
};
