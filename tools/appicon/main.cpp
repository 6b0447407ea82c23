// appicon <folder>: writes the application icon into an icon-theme tree
// below the folder: hicolor/<n>x<n>/apps/<id>.png for every size and
// hicolor/scalable/apps/<id>.svg (the largest drawing, embedded).

#include "look/appicon.h"
#include "platform/appid.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

namespace {

bool write(const QString &path, const QByteArray &bytes)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit();
}

QByteArray png(const QImage &img)
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return bytes;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: appicon <folder>\n";
        return 2;
    }
    const QString root = args.at(1) + QStringLiteral("/hicolor/");
    const QString name = AppID::id();
    for (int px : AppIcon::sizes()) {
        const QString path = root + QStringLiteral("%1x%1/apps/").arg(px) + name + QStringLiteral(".png");
        if (!write(path, png(AppIcon::image(px)))) {
            QTextStream(stderr) << "appicon: cannot write " << path << '\n';
            return 1;
        }
    }
    const QByteArray svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"512\" height=\"512\" viewBox=\"0 0 512 512\">\n"
                           "<image width=\"512\" height=\"512\" href=\"data:image/png;base64,"
        + png(AppIcon::image(512)).toBase64() + "\"/>\n</svg>\n";
    const QString svgPath = root + QStringLiteral("scalable/apps/") + name + QStringLiteral(".svg");
    if (!write(svgPath, svg)) {
        QTextStream(stderr) << "appicon: cannot write " << svgPath << '\n';
        return 1;
    }
    return 0;
}
