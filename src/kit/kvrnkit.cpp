#include "kvrnkit.h"

#include "kvrnhelp.h"
#include "kvrnkithost.h"
#include "kvrnthemes.h"

namespace KVRNKit {

void install(const QString &appName, const KVRNHelpTopics &helpTopics, const QList<KVRNTheme> &extraThemes)
{
    KVRNKitHost::setAppName(appName);
    KVRNHelp::setTopics(helpTopics);
    KVRNThemes::registerThemes(extraThemes);
}

} // namespace KVRNKit
