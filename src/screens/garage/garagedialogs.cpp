#include "garagedialogs.h"

#include "garagerules.h"
#include "kit/kvchromebutton.h"
#include "kit/kvscale.h"
#include "kit/kvtextlabel.h"
#include "look/fvpalette.h"
#include "look/fvthemeroot.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QVBoxLayout>

GarageDialogs::Confirm GarageDialogs::confirmRemove = &GarageDialogs::askRemove;
GarageDialogs::ChooseFolder GarageDialogs::chooseFolder = &GarageDialogs::askFolder;

bool GarageDialogs::askRemove(QWidget *parent, const QString &question)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("My Garage"));
    dialog.setWindowModality(Qt::WindowModal);
    auto *outer = new QVBoxLayout(&dialog);
    outer->setContentsMargins(0, 0, 0, 0);
    KVChromeButton *remove = nullptr;
    KVChromeButton *cancel = nullptr;
    outer->addWidget(new FVThemeRoot([&]() -> QWidget * {
        auto *content = new QWidget;
        auto *col = new QVBoxLayout(content);
        const int pad = KVScale::ipt(20);
        col->setContentsMargins(pad, pad, pad, pad);
        col->setSpacing(KVScale::ipt(10));
        auto *text = new KVTextLabel(question, 14, QFont::Bold);
        text->setObjectName(QStringLiteral("question"));
        text->setWordWrap(true);
        col->addWidget(text);
        auto *note = new KVTextLabel(QStringLiteral("This can't be undone. You can export My Garage first."), 12);
        note->setWordWrap(true);
        note->setColor(FVPalette::current().dim);
        col->addWidget(note);
        auto *buttons = new QHBoxLayout;
        buttons->addStretch(1);
        // Cancel is the default: Return does not remove anything.
        cancel = new KVChromeButton(QStringLiteral("Cancel"), true, false);
        cancel->setObjectName(QStringLiteral("cancel"));
        remove = new KVChromeButton(QStringLiteral("Remove"), false, false);
        remove->setObjectName(QStringLiteral("remove"));
        buttons->addWidget(remove);
        buttons->addWidget(cancel);
        col->addLayout(buttons);
        QObject::connect(cancel, &QAbstractButton::clicked, &dialog, &QDialog::reject);
        QObject::connect(remove, &QAbstractButton::clicked, &dialog, &QDialog::accept);
        return content;
    }));
    cancel->setDefault(true);
    cancel->setFocus(Qt::OtherFocusReason);
    dialog.setMinimumWidth(KVScale::ipt(420));
    return dialog.exec() == QDialog::Accepted;
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
