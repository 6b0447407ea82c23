#pragma once

#include <QColor>
#include <QFont>
#include <QLineEdit>

#include <functional>

// A frameless one-line field drawn on a dark rounded plate with a faint rim;
// the rim turns the accent colour, twice as thick, while the field has
// keyboard focus. Fonts and margins follow the interface zoom, colours the
// current theme (read afresh before every paint).
class KVPlateField : public QLineEdit
{
    Q_OBJECT

public:
    struct Colors
    {
        QColor text;
        QColor placeholder;
        QColor plate;  // the fill behind the text
        QColor rim;    // the rim without focus
        QColor accent; // the rim with focus and the selection
    };

    // How the rim is stroked: wholly inside the field (the plate filling it
    // all), or centred on an outline inset by half the unfocused width (the
    // plate filling that outline, with plain circular corners).
    enum class Rim { Inside, Centred };

    struct Style
    {
        std::function<QFont()> font; // read again on every zoom change
        int marginX = 8;             // text margins in points
        int marginY = 4;
        double radius = 7;           // corner radius in points
        Rim rim = Rim::Inside;
        std::function<Colors()> colors;
    };

    KVPlateField(Style style, const QString &placeholder, const QString &accessibleName,
                 QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void applyMetrics();
    void syncColors(const Colors &c);
    void paintPlate(const Colors &c);

    Style m_style;
};
