#pragma once

#include <QLineEdit>

// The VIN entry: a frameless field in a large monospaced face on a dark
// rounded plate with a faint white rim; the rim turns the accent colour
// while the field has keyboard focus.
class VINField : public QLineEdit
{
    Q_OBJECT

public:
    explicit VINField(QWidget *parent = nullptr);

    static QString placeholder();

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void applyMetrics();
    void syncColors();
};
