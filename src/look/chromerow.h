#pragma once

#include <QAbstractButton>
#include <functional>

class QHBoxLayout;

// A selectable list row: a plain button around any label widget, spanning the
// row's width. Selected, it lies on a rounded accent gradient with a thin
// light rim and its label turns white; otherwise it shows only the label in
// the theme's text colour (the whole row still takes clicks). The caller owns
// the selection: it passes `selected` and changes it in `action`.
class ChromeRow : public QAbstractButton
{
    Q_OBJECT

public:
    ChromeRow(bool selected, std::function<void()> action, QWidget *label, QWidget *parent = nullptr);

    bool selected() const { return m_selected; }
    void setSelected(bool selected);
    QWidget *label() const { return m_label; }

    // The label colour: white when selected, else the theme's text colour.
    QColor foreground() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void applyMetrics();
    void applyForeground();

    bool m_selected;
    std::function<void()> m_action;
    QWidget *m_label;
    QHBoxLayout *m_layout;
};
