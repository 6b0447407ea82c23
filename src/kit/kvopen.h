#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

// Opening an address from a control: when the desktop cannot take it, a
// note beside the control shows the address with a button to copy it.
namespace KVOpen {

// `opened`, when given, hears how it went (after the note, if any).
void open(const QUrl &url, QWidget *control, std::function<void(bool)> opened = {});

// The note for an address that was not opened, beside `control`; `message`
// replaces the usual first line.
void showNotOpened(const QUrl &url, QWidget *control, const QString &message = {});

} // namespace KVOpen
