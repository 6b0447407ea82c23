#pragma once

#include "kvrnhelptopic.h"
#include "kvrntheme.h"

#include <QList>
#include <QString>

// The kit's entry: an application configures it once at start-up.
namespace KVRNKit {

inline constexpr const char *version = "2.0.3";

// Sets the application name and help topics (replacing earlier ones) and
// registers extra themes (ids already known are ignored).
void install(const QString &appName, const KVRNHelpTopics &helpTopics = {},
             const QList<KVRNTheme> &extraThemes = {});

} // namespace KVRNKit
