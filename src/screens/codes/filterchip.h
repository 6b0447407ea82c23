#pragma once

#include <QAbstractButton>
#include <QColor>

// A filter chip: its title in a capsule, filled with `activeColor` and
// lettered white while active, else dark with the theme's text colour.
// Reached with Tab (a click leaves the keyboard focus where it was);
// Space activates it; a ring shows while it has the focus.
class FilterChip final : public QAbstractButton
{
    Q_OBJECT

public:
    FilterChip(const QString &title, const QColor &activeColor, QWidget *parent = nullptr);

    bool active() const { return m_active; }
    void setActive(bool active);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color;
    bool m_active = false;
};
