#pragma once

#include <QWidget>

class QScrollArea;

// The page scroller of a screen: normally a vertical scroll view around its
// content (kept at the top, its ideal height). While FVRender::snapshotMode is
// set it lays the content out flat instead: no scrolling, the content at its
// full height at the top, and the container as tall as the content.
class FVScroll : public QWidget
{
    Q_OBJECT

public:
    explicit FVScroll(QWidget *content, QWidget *parent = nullptr);

    QWidget *content() const { return m_content; }
    // Whether the content is currently laid out flat.
    bool flat() const { return m_flat; }
    // The scroll area, or nothing while flat.
    QScrollArea *scrollArea() const { return m_area; }

    // Re-reads the snapshot flag and changes form when it differs.
    void refreshMode();
    // Grows to the content's whole height instead of scrolling it (a pane
    // stacked in a page that scrolls as a whole), or scrolls it again. The
    // width stays the view's, so the content still reflows to it.
    void setWholeHeight(bool whole);
    bool wholeHeight() const { return m_whole; }

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void applyWholeHeight();
    void fitHeight();

    QWidget *m_content;
    QWidget *m_holder = nullptr;
    QScrollArea *m_area = nullptr;
    bool m_flat = false;
    bool m_whole = false;
};
