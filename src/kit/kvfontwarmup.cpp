#include "kvfontwarmup.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>

#include <fontconfig/fontconfig.h>
#include <future>

namespace KVFontWarmup {

namespace {

const char *const iconFaceTTF = "/usr/share/fonts/truetype/material-design-icons-iconfont/MaterialIcons-Regular.ttf";

struct Work
{
    std::shared_future<void> fontconfig;
    std::future<void> database;
};

Work &work()
{
    static Work w;
    return w;
}

// fontconfig's own start-up (what FcInit does), with the icon face's rules
// added before the font list is built.
void setUpFontconfig()
{
    FcConfig *config = FcInitLoadConfig();
    if (!config)
        return;
    const QByteArray rules = iconFaceRules(QString::fromLatin1(iconFaceTTF));
    if (!rules.isEmpty())
        FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8 *>(rules.constData()), FcFalse);
    if (FcConfigBuildFonts(config))
        FcConfigSetCurrent(config); // takes its own reference
    FcConfigDestroy(config);
}

} // namespace

QByteArray iconFaceRules(const QString &ttfPath)
{
    const QFileInfo ttf(ttfPath);
    if (!ttf.isFile() || !ttf.isReadable())
        return {};
    // Debian installs the same face as .ttf, .woff and .woff2; fontconfig
    // lists the web fonts last, so they would be the ones loaded.
    const QByteArray name = ttf.completeBaseName().toHtmlEscaped().toUtf8();
    QByteArray xml = "<?xml version=\"1.0\"?><!DOCTYPE fontconfig SYSTEM \"fonts.dtd\"><fontconfig><selectfont><rejectfont>";
    for (const char *ext : {".woff", ".woff2"})
        xml += "<glob>*/" + name + ext + "</glob>";
    xml += "</rejectfont></selectfont></fontconfig>";
    return xml;
}

void startFontconfig()
{
    Work &w = work();
    if (!w.fontconfig.valid())
        w.fontconfig = std::async(std::launch::async, setUpFontconfig).share();
}

void start()
{
    Work &w = work();
    // Qt's font database needs a GUI application, not only a core one.
    if (w.database.valid() || !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    startFontconfig();
    w.database = std::async(std::launch::async, [fontconfig = w.fontconfig] {
        fontconfig.wait();
        QFontDatabase::families(); // Qt's font list, made under its own lock
    });
}

void finish()
{
    Work &w = work();
    if (w.database.valid())
        w.database.get();
    if (w.fontconfig.valid())
        w.fontconfig.wait();
}

} // namespace KVFontWarmup
