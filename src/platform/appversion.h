#pragma once

#include <QString>

// The program's one compiled-in version, set from the project's version by
// the build.
namespace AppVersion {

// The short version, such as "1.0.1".
QString shortVersion();

} // namespace AppVersion
