#pragma once

#include <QWidget>

// A thin horizontal rule in the text colour (at opacity 0.25 unless given), across the row.
class Divider : public QWidget
{
    Q_OBJECT

public:
    explicit Divider(QWidget *parent = nullptr);
    explicit Divider(double opacity, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double m_opacity = 0.25;
};
