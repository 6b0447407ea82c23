#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QMimeData;

// What the report commands say and offer once a PDF exists: the share
// menu's items (each needs a desktop tool), the confirmations and the
// arguments handed to the tools.
namespace ReportShareRules {

struct Item
{
    QString text;
    bool enabled = true;
    QString toolTip; // why it is disabled, or what it does
};

enum ItemId { Email, ShowInFolder, CopyFile };

// "Email…", "Show in folder", "Copy file", in that order; an item whose tool
// is missing is disabled and says so in its tool tip.
QList<Item> items(bool hasEmailTool, bool canOpenFolders);

// "Making the Trouble Code Report…"
QString busy();
// "Saved to <file name>", and that no viewer opened it when `opened` is false.
QString saved(const QString &path, bool opened);
QString showInFolder();
// After "Copy file": what is on the clipboard and what to do with it.
QString copied(const QString &path);
QString emailFailed();

// xdg-email's arguments: the PDF attached.
QStringList emailArguments(const QString &path);
// The clipboard contents of "Copy file": the file's URL as a URL list (and
// the form GNOME file managers paste), plus its path as text.
QMimeData *fileMimeData(const QString &path);

} // namespace ReportShareRules
