#pragma once

#include <QAbstractButton>

class QBoxLayout;

// A plain list row that is a button as a whole: no chrome, its own layout of
// any widgets, and the whole rectangle (empty space too) takes the click.
// Space activates it from the keyboard; a thin accent ring shows focus.
class RowButton : public QAbstractButton
{
    Q_OBJECT

public:
    // `layout` becomes the row's layout, with no margins.
    explicit RowButton(QBoxLayout *layout, QWidget *parent = nullptr);

    QBoxLayout *rowLayout() const { return m_layout; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QBoxLayout *m_layout;
};
