#include "kvscreenfit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QSize KVScreenFit::within(const QSize &size)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? size.boundedTo(screen->availableGeometry().size() * 0.9) : size;
}

void KVScreenFit::centre(QWidget *window)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}
