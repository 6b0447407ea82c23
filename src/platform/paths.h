#pragma once

#include <QString>

namespace Paths {

// The program's resource folder: "../share/fenwhistle-vorel" beside the folder
// of the running executable. The build tree mirrors an installed program
// (<build>/bin and <build>/share/fenwhistle-vorel), so one rule serves both.
// Without an application object, the current directory ".".
QString resourceDir();

// `relative` to the folder of the running executable, cleaned (found through
// /proc/self/exe when there is no application object yet).
QString besideExecutable(const QString &relative);

// The value of an environment variable when it is set and not empty.
QString envPath(const char *name);

} // namespace Paths
