#pragma once

#include <QString>
#include <QStringList>

// Runs the app's own search on a finished reference file; "kind:ref" per hit.
QStringList appSearchHits(const QString &path, const QString &query);
