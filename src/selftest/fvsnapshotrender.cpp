#include "fvsnapshotrender.h"

#include "look/fvthemeroot.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QLayout>

namespace FVSnapshotRender {

namespace {

// Lets zero-time refreshes, layout requests and deferred deletes run.
void settle()
{
    for (int i = 0; i < 4; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The height the root's layout wants at its current width.
int wantedHeight(const QWidget &root)
{
    int height = std::max(root.sizeHint().height(), root.minimumSizeHint().height());
    if (const QLayout *box = root.layout(); box && box->hasHeightForWidth())
        height = std::max(height, box->totalHeightForWidth(root.width()));
    return height;
}

QImage grabAt(const Builder &build, int width, int height, bool toContent)
{
    FVThemeRoot root(build);
    root.setAttribute(Qt::WA_DontShowOnScreen);
    root.resize(width, height);
    root.show();
    settle();
    if (toContent) {
        // Laying out at the new height can change what the content wants
        // (a scroll bar gone, a row rewrapped): follow it a few times.
        // Never shorter than the window's frame, so that a short screen
        // does not squeeze the sidebar.
        for (int i = 0; i < 3; ++i) {
            const int wanted = std::max(height, wantedHeight(root));
            if (wanted == root.height())
                break;
            root.resize(width, wanted);
            settle();
        }
    }
    // A flat page can hold the root taller than asked: a framed shot is
    // clipped to its frame.
    const QRect frame = toContent ? root.rect() : QRect(0, 0, width, std::min(height, root.height()));
    QImage image = root.grab(frame).toImage();
    root.hide();
    return image;
}

} // namespace

QImage full(const Builder &build)
{
    return grabAt(build, fullWidth, topHeight, true);
}

QImage top(const Builder &build)
{
    return grabAt(build, fullWidth, topHeight, false);
}

QImage picker(const Builder &build)
{
    return grabAt(build, pickerWidth, pickerHeight, false);
}

QByteArray png(const QImage &image)
{
    if (image.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    return bytes;
}

} // namespace FVSnapshotRender
