#pragma once

#include "data/obdcode.h"
#include "data/recall.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Which recalls and troubleshooting guides relate to a trouble code: fixed
// rules over the code's family and system (and, for guides, its first
// letter). Pure functions; no database.
namespace ReportLinks {

// The upper-case recall component words of the code's family or system;
// empty for a code the reference list does not hold.
QStringList recallKeywords(const std::optional<OBDCode> &info);

// The recalls of `all` with a component (upper-cased) containing one of the
// code's keywords; each once, in the order of `all`.
QList<Recall> recalls(const QList<Recall> &all, const std::optional<OBDCode> &info);

// The ids of the related guides, in order, without repeats.
QStringList guideIDs(const std::optional<OBDCode> &info, const QString &code);

} // namespace ReportLinks
