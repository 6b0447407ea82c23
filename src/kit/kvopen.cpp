#include "kvopen.h"

#include "kvnote.h"
#include "platform/opener.h"
#include "platform/opentexts.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>

namespace KVOpen {

void open(const QUrl &url, QWidget *control, std::function<void(bool)> opened)
{
    QPointer<QWidget> anchor(control);
    Opener::open(url, nullptr, [url, anchor, opened](bool ok) {
        if (!ok && anchor)
            showNotOpened(url, anchor);
        if (opened)
            opened(ok);
    });
}

void showNotOpened(const QUrl &url, QWidget *control, const QString &message)
{
    const OpenTexts t = OpenTexts::notOpened(url);
    KVNote::showBeside(control, message.isEmpty() ? t.message : message, t.detail,
                       {{t.copyLabel, [t] {
                             QGuiApplication::clipboard()->setText(t.detail);
                             return t.copiedLabel();
                         },
                         true, {}}});
}

} // namespace KVOpen
