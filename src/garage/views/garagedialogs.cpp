#include "garagedialogs.h"

#include "garagerules.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

GarageDialogs::Confirm GarageDialogs::confirmRemove = &GarageDialogs::askRemove;
GarageDialogs::ChooseFolder GarageDialogs::chooseFolder = &GarageDialogs::askFolder;

bool GarageDialogs::askRemove(QWidget *parent, const QString &title)
{
    QMessageBox box(parent);
    box.setIcon(QMessageBox::Warning);
    box.setTextFormat(Qt::PlainText);
    box.setText(GarageRules::removeQuestion(title));
    box.setInformativeText(QStringLiteral("This can't be undone. You can export My Garage first."));
    QPushButton *remove = box.addButton(QStringLiteral("Remove"), QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(remove);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == remove;
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
