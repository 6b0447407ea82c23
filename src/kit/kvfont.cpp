#include "kvfont.h"

#include "kvscale.h"

#include <QGuiApplication>
#include <QScreen>

KVFont::Face KVFont::face(QFont::Weight weight)
{
    if (weight <= QFont::Light)
        return {QStringLiteral("Quicksand Light"), QFont::Normal};
    if (weight <= QFont::Normal)
        return {QStringLiteral("Quicksand"), QFont::Normal};
    if (weight <= QFont::Medium)
        return {QStringLiteral("Quicksand Medium"), QFont::Normal};
    return {QStringLiteral("Quicksand"), QFont::Bold};
}

void KVFont::setPixelSizeF(QFont &font, double pixels)
{
    // QFont keeps fractional sizes only in points; convert through the
    // screen's logical resolution so the text is exactly `pixels` high there.
    double dpi = 96.0;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        dpi = screen->logicalDotsPerInchY();
    font.setPointSizeF(pixels * 72.0 / dpi);
}

QFont KVFont::rounded(double points, QFont::Weight weight)
{
    const Face f = face(weight);
    QFont font(f.family);
    font.setFamilies({f.family, QStringLiteral("DejaVu Sans")});
    font.setWeight(f.weight);
    setPixelSizeF(font, KVScale::pt(points));
    return font;
}

double KVFont::pixelSizeOf(const QFont &font)
{
    if (font.pixelSize() > 0)
        return font.pixelSize();
    double dpi = 96.0;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        dpi = screen->logicalDotsPerInchY();
    return font.pointSizeF() * dpi / 72.0;
}
