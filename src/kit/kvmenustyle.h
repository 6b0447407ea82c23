#pragma once

#include <QProxyStyle>

// The application's style: the platform's own, except that a menu separator
// is a line in the menu's text colour at low opacity, which shows on the
// dark themes' menus as on the light ones; the menu bar's current title is lit
// while the bar has the keyboard focus. The menu bar's overflow arrows are
// made only when first shown.
class KVMenuStyle final : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    // Tall scroll bars are drawn in bands (KVBands::render), the same pixels.
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;

    // The separator's colour for a menu drawn with `palette`.
    static QColor separatorColor(const QPalette &palette);
};
