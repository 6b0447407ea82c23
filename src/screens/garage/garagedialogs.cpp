#include "garagedialogs.h"

#include "look/fvalert.h"

#include <QDir>
#include <QFileDialog>

GarageDialogs::Confirm GarageDialogs::confirmRemove = &GarageDialogs::askRemove;
GarageDialogs::ChooseFolder GarageDialogs::chooseFolder = &GarageDialogs::askFolder;

bool GarageDialogs::askRemove(QWidget *parent, const QString &question)
{
    // Cancel is the default: Return does not remove anything.
    return FVAlert::ask(parent, QStringLiteral("My Garage"), question,
                        QStringLiteral("This can't be undone. You can export My Garage first."),
                        {QStringLiteral("Remove"), QStringLiteral("Cancel")}, 1)
           == 0;
}

std::optional<QString> GarageDialogs::askFolder(QWidget *parent)
{
    QFileDialog dialog(parent, QStringLiteral("Choose a folder for \"My Garage.csv\" and \"My Garage.html\"."));
    dialog.setDirectory(QDir::homePath());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Export Here"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString folder = dialog.selectedFiles().constFirst();
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}
