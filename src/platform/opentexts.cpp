#include "opentexts.h"

#include <QDir>
#include <QFileInfo>

OpenTexts OpenTexts::notOpened(const QUrl &url)
{
    if (url.isLocalFile()) {
        const QString path = QDir::toNativeSeparators(url.toLocalFile());
        const bool folder = QFileInfo(path).isDir();
        return {folder ? QStringLiteral("No file manager could be opened to show this folder.")
                       : QStringLiteral("No program could be opened to show this file."),
                path, QStringLiteral("Copy path")};
    }
    return {QStringLiteral("No web browser could be opened. Copy the address into a browser:"),
            QString::fromUtf8(url.toEncoded()), QStringLiteral("Copy address")};
}

QString OpenTexts::copiedLabel() const
{
    return copyLabel == QLatin1String("Copy path") ? QStringLiteral("Path copied") : QStringLiteral("Address copied");
}
