#pragma once

#include <QWidget>

class QScrollArea;

// The scroller of a column inside a screen: normally a vertical scroll view
// around its content (at the top, its ideal height). While
// FVRender::snapshotMode is set it shows the content from the top-left
// without scrolling and cuts off what does not fit, so a tall column never
// spills into its neighbours.
class ColumnScroll : public QWidget
{
    Q_OBJECT

public:
    explicit ColumnScroll(QWidget *content, QWidget *parent = nullptr);

    QWidget *content() const { return m_content; }
    bool flat() const { return m_flat; }
    QScrollArea *scrollArea() const { return m_area; }

    void refreshMode();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void build();
    void placeFlat();

    QWidget *m_content;
    QScrollArea *m_area = nullptr;
    bool m_flat = false;
};
