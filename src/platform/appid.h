#pragma once

#include <QString>

// The application's id in reverse-DNS form, set by the build: the name of its
// desktop entry, icon and metadata, and the key of its single running copy.
namespace AppID {

QString id();

} // namespace AppID
