#pragma once

#include <QString>
#include <QUrl>

// What the program says when an address or folder could not be handed to
// the desktop, and what the user may copy instead.
struct OpenTexts
{
    QString message; // what did not happen, in plain words
    QString detail;  // the address or path, shown as it will be copied
    QString copyLabel;

    // For a web address: "No web browser could be opened…", "Copy address";
    // for a local folder or file: the file manager or viewer, "Copy path".
    static OpenTexts notOpened(const QUrl &url);

    // "Address copied" / "Path copied", shown after copying.
    QString copiedLabel() const;
};
