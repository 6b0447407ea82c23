#pragma once

#include "kvkittheme.h"

#include <QString>
#include <QUrl>
#include <functional>

// The kit's hooks into the host application, each with a working default.
namespace KVRNKitHost {

// The palette the kit's views draw with. Default: the kit palette of the
// current theme, worked out afresh at every call.
std::function<KVKitTheme()> &theme();

// Opens help on a topic id. Default: KVRNHelp::show(topic).
std::function<void(const QString &topic)> &showHelp();

// The host application's display name. Until set (KVRNKit::install), the
// application name of the running program, else "KVRN App".
QString appName();
void setAppName(const QString &name);

// The maker's name and website. The address is the one constant behind every
// place that names the maker's site (About, help, the report footer).
QString creditName();
QString creditAddress();
QUrl creditURL();

} // namespace KVRNKitHost
