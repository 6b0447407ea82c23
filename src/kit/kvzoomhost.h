#pragma once

#include "kvzoomgeometry.h"

#include <QScrollArea>
#include <QVariant>

// The container of a whole window's content that makes the interface zoom
// visible. Every size is drawn through KVScale, so the content magnifies
// itself; the host gives it, per axis, the larger of the viewport and the
// minimum size × zoom, and scrolls both ways when that exceeds the window.
// Scroll bars show only when the content is more than one point larger than
// the viewport. When the host comes on screen, when the stored zoom is
// written with a different value, and when the viewport changes size, it
// scrolls back to the top-left corner: at once, at the next turn of the event
// loop and again after 0.15, 0.4, 0.9 and 1.6 seconds (late layout passes
// cannot leave the view scrolled).
class KVZoomHost : public QScrollArea
{
    Q_OBJECT

public:
    // Takes ownership of `content`.
    explicit KVZoomHost(QWidget *content,
                        const QSizeF &minSize = QSizeF(KVZoomGeometry::defaultMinWidth,
                                                       KVZoomGeometry::defaultMinHeight),
                        QWidget *parent = nullptr);

    QSizeF minSize() const { return m_minSize; }
    QWidget *content() const { return widget(); }
    // The zoom the content is drawn at (the interface scale factor).
    double zoom() const;
    // The layout for the host's current size and zoom.
    KVZoomGeometry::Layout currentLayout() const;

    // Runs the scroll-home schedule now.
    void scrollHome();
    // Scroll-home requests carried out so far (each schedule makes six).
    int scrollHomeRequests() const { return m_requests; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void relayout();
    void zoomKeyWritten(const QString &key);
    void scrollHomeOnce();

    QSizeF m_minSize;
    QVariant m_rawZoom;
    int m_requests = 0;
};
