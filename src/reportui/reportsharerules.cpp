#include "reportsharerules.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace ReportShareRules {

namespace {

QString missing(const char *tool)
{
    return QStringLiteral("Needs %1 (from the xdg-utils package), which this system doesn't have.")
        .arg(QLatin1String(tool));
}

} // namespace

QList<Item> items(bool hasEmailTool, bool canOpenFolders)
{
    return {
        {QStringLiteral("Email\u2026"), hasEmailTool,
         hasEmailTool ? QStringLiteral("Opens your mail program with the PDF attached.") : missing("xdg-email")},
        {showInFolder(), canOpenFolders,
         canOpenFolders ? QStringLiteral("Shows the PDF in your file manager.") : missing("xdg-open")},
        {QStringLiteral("Copy file"), true,
         QStringLiteral("Puts the PDF on the clipboard, to paste into a file manager or a chat.")},
    };
}

QString busy()
{
    return QStringLiteral("Making the Trouble Code Report\u2026");
}

QString saved(const QString &path, bool opened)
{
    const QString text = QStringLiteral("Saved to ") + QFileInfo(path).fileName();
    return opened ? text : text + QStringLiteral(". No PDF viewer could be opened to show it.");
}

QString showInFolder()
{
    return QStringLiteral("Show in folder");
}

QString copied(const QString &path)
{
    return QStringLiteral("Copied ") + QFileInfo(path).fileName()
        + QStringLiteral(". Paste it into a file manager or a chat.");
}

QString emailFailed()
{
    return QStringLiteral("Your mail program could not be opened. The PDF is here:");
}

QStringList emailArguments(const QString &path)
{
    return {QStringLiteral("--attach"), QFileInfo(path).absoluteFilePath()};
}

QMimeData *fileMimeData(const QString &path)
{
    const QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    auto *data = new QMimeData;
    data->setUrls({url});
    data->setData(QStringLiteral("x-special/gnome-copied-files"), "copy\n" + url.toEncoded());
    data->setText(url.toLocalFile());
    return data;
}

} // namespace ReportShareRules
