#pragma once

#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

// Alerts in the app's theme: a bold message, a dimmer note under it and the
// buttons in a row at the trailing end.
namespace FVAlert {

// The index of the button pressed is the dialog's result plus this; Escape
// and the window's close give a result below it.
constexpr int kFirstButton = 2;

// A window-modal alert, not yet shown, titled `title`. `buttons` run from
// leading to trailing; the one at `defaultIndex` is the default (Return) and
// has the focus. An empty note is left out.
QDialog *make(QWidget *parent, const QString &title, const QString &message, const QString &note,
              const QStringList &buttons, int defaultIndex);

// Shows the alert and waits: the index of the button pressed, or -1.
int ask(QWidget *parent, const QString &title, const QString &message, const QString &note,
        const QStringList &buttons, int defaultIndex);

// An alert with "OK" alone, shown without waiting; it deletes itself when closed.
void tell(QWidget *parent, const QString &title, const QString &message, const QString &note = {});

} // namespace FVAlert
