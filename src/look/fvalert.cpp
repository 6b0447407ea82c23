#include "fvalert.h"

#include "fvpalette.h"
#include "fvthemeroot.h"
#include "kit/kvchromebutton.h"
#include "kit/kvscale.h"
#include "kit/kvtextlabel.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <memory>

QDialog *FVAlert::make(QWidget *parent, const QString &title, const QString &message, const QString &note,
                       const QStringList &buttons, int defaultIndex)
{
    auto *dialog = new QDialog(parent);
    dialog->setWindowTitle(title);
    dialog->setWindowModality(Qt::WindowModal);
    auto *outer = new QVBoxLayout(dialog);
    outer->setContentsMargins(0, 0, 0, 0);
    // Built again on a theme change, so it keeps copies of what it shows.
    outer->addWidget(new FVThemeRoot([dialog, message, note, buttons, defaultIndex]() -> QWidget * {
        auto *content = new QWidget;
        auto *col = new QVBoxLayout(content);
        const int pad = KVScale::ipt(20);
        col->setContentsMargins(pad, pad, pad, pad);
        col->setSpacing(KVScale::ipt(10));
        auto *text = new KVTextLabel(message, 14, QFont::Bold);
        text->setObjectName(QStringLiteral("message"));
        text->setWordWrap(true);
        col->addWidget(text);
        if (!note.isEmpty()) {
            auto *dim = new KVTextLabel(note, 12);
            dim->setObjectName(QStringLiteral("note"));
            dim->setWordWrap(true);
            dim->setColor(FVPalette::current().dim);
            col->addWidget(dim);
        }
        auto *row = new QHBoxLayout;
        row->addStretch(1);
        for (int i = 0; i < buttons.size(); ++i) {
            auto *button = new KVChromeButton(buttons[i], i == defaultIndex, false);
            // The dialog presses its default button on Return.
            button->setDefault(i == defaultIndex);
            row->addWidget(button);
            QObject::connect(button, &QAbstractButton::clicked, dialog, [dialog, i] { dialog->done(kFirstButton + i); });
        }
        col->addLayout(row);
        return content;
    }));
    for (KVChromeButton *button : dialog->findChildren<KVChromeButton *>()) {
        if (button->isDefault())
            button->setFocus(Qt::OtherFocusReason);
    }
    dialog->setMinimumWidth(KVScale::ipt(420));
    return dialog;
}

int FVAlert::ask(QWidget *parent, const QString &title, const QString &message, const QString &note,
                 const QStringList &buttons, int defaultIndex)
{
    const std::unique_ptr<QDialog> dialog(make(parent, title, message, note, buttons, defaultIndex));
    const int result = dialog->exec();
    return result >= kFirstButton ? result - kFirstButton : -1;
}

void FVAlert::tell(QWidget *parent, const QString &title, const QString &message, const QString &note)
{
    QDialog *dialog = make(parent, title, message, note, {QStringLiteral("OK")}, 0);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}
