#pragma once

#include <QAbstractButton>

// One screen's row in the sidebar: the screen's symbol in a 20-point column
// and its title, on an accent capsule with a bright rim and glow when it is
// the selected row, in the theme's on-accent colour. A title cut short ends
// in an ellipsis and shows whole as the tooltip. An unavailable row is
// disabled and drawn faded.
class SidebarRow : public QAbstractButton
{
    Q_OBJECT

public:
    SidebarRow(const QString &icon, const QString &title, QWidget *parent = nullptr);

    QString icon() const { return m_icon; }
    QString title() const { return m_title; }

    bool selected() const { return m_selected; }
    void setSelected(bool selected);
    // Unavailable rows are disabled and drawn at 0.45 opacity.
    bool available() const { return isEnabled(); }
    void setAvailable(bool available);

    QColor foreground() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QFont titleFont() const;
    QRectF textRect() const;
    // The whole title as the tooltip while the row shortens it.
    void updateTip();

    QString m_icon;
    QString m_title;
    bool m_selected = false;
    QWidget *m_glow = nullptr;
};
