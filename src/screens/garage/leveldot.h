#pragma once

#include <QColor>
#include <QWidget>

// A filled circle 9 points across in one colour: a saved code's seriousness.
class LevelDot : public QWidget
{
    Q_OBJECT

public:
    explicit LevelDot(const QColor &color, QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color;
};
