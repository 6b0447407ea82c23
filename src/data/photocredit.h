#pragma once

#include <QString>

// One licensed vehicle photo and its credit. Identity: `id`.
struct PhotoCredit
{
    qint64 id = 0;
    QString file; // a file name inside the photos folder
    QString make;
    QString model;
    QString license;
    QString licenseURL;
    QString author;
    QString credit;
    QString attribution; // the attribution text to show
    QString pageURL;     // the photo's source page
    QString generationNote;
};
