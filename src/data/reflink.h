#pragma once

#include <QString>

// One public reference link of the credits screen. Identity: `id`.
struct RefLink
{
    qint64 id = 0;
    QString title;
    QString url;
    QString publisher;
    QString useFor;  // what the program uses it for
    QString allowed; // the allowed use
};
