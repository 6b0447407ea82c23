#pragma once

#include <QWidget>

// The well behind a picker column's list: a rounded rectangle (radius 16)
// filled with black at opacity 0.28 and rimmed from dark at the top to light
// at the bottom. Its one child fills it.
class SunkenList : public QWidget
{
    Q_OBJECT

public:
    explicit SunkenList(QWidget *child, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void applyMask();
};
