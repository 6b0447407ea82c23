#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

struct KVKitTheme;

// One colour theme: a stable id, the name shown in the Theme menu, a family and
// six sRGB colours. Two themes are equal when their ids are equal.
struct KVRNTheme
{
    enum class Family { Masculine, Feminine, Black, Gray, Extra };

    // One sRGB colour, each component from 0 to 1.
    struct RGB
    {
        double r = 0;
        double g = 0;
        double b = 0;

        constexpr RGB() = default;
        constexpr RGB(double red, double green, double blue) : r(red), g(green), b(blue) {}
        // 0xRRGGBB; bits above the lowest 24 are ignored.
        static constexpr RGB fromHex(quint32 hex)
        {
            return RGB(((hex >> 16) & 0xFF) / 255.0, ((hex >> 8) & 0xFF) / 255.0, (hex & 0xFF) / 255.0);
        }

        // The colour at opacity 1.
        QColor color() const;
        // The colour's components; its opacity is ignored.
        static RGB fromColor(const QColor &c);
        // Relative luminance (linearised with the 0.03928 threshold).
        double luminance() const;
        // (lighter + 0.05) / (darker + 0.05): 1 to 21, symmetric.
        static double contrast(const RGB &a, const RGB &b);
        // The shade of `color` nearest to it, mixed toward white or black, whose
        // contrast with every colour in `grounds` reaches `ratio`; `color` itself
        // when it already does. Made for grounds of like lightness (a panel's ends).
        static RGB readable(const RGB &color, const QList<RGB> &grounds, double ratio = 4.5);
        // The same, mixed toward `light` rather than white where the grounds
        // call for a lighter shade (a warm light keeps a warning's hue).
        static RGB readable(const RGB &color, const QList<RGB> &grounds, double ratio, const RGB &light);
        // The colour mixed toward `end` by `t` (0: the colour, 1: `end`).
        RGB mixed(const RGB &end, double t) const;

        friend constexpr bool operator==(const RGB &, const RGB &) = default;
    };

    QString id;
    QString name;
    Family family = Family::Extra;
    RGB bg;
    RGB panelTop;
    RGB panelBottom;
    RGB text;
    RGB dim;
    RGB accent;

    // "masculine", "feminine", "black", "gray", "extra".
    static QString familyRawValue(Family family);
    // Exactly one of the raw values (case-sensitive), else nothing.
    static std::optional<Family> familyFromRawValue(const QString &raw);

    // The grounds text is drawn on: both ends of a panel and the background.
    QList<RGB> grounds() const { return {panelTop, panelBottom, bg}; }
    // The opacities of an accent gradient behind text, top and bottom.
    struct Fill
    {
        double top = 1;
        double bottom = 1;
    };
    // `wanted` moved the least into the range where `text` reads at 4.5:1 on
    // `accent` laid over any of `grounds` or black (a sunken well).
    static Fill readableFill(const RGB &accent, const RGB &text, const QList<RGB> &grounds, Fill wanted);

    // Text on an accent fill (a selected row, a prominent button): white or a
    // near black, whichever reads on the fill as drawn (the accent at 0.95 to
    // 0.6 over the grounds) with the smaller change of its opacities; white
    // where they tie.
    RGB onAccent() const;
    // The two colours of an accent gradient behind onAccent() text: the accent
    // at `top` and `bottom` opacity, brought to where the text reads.
    QList<QColor> accentFill(double top, double bottom) const;
    // Secondary text: the dimmed colour, or the shade of it that reaches 4.5:1
    // on the grounds.
    RGB dimText() const { return RGB::readable(dim, grounds()); }
    // The keyboard-focus ring: the accent, or the shade of it that reaches 3:1
    // on the grounds.
    RGB focusRing() const { return RGB::readable(accent, grounds(), 3.0); }

    // The palette the kit's own views draw with.
    KVKitTheme kitTheme() const;

    friend bool operator==(const KVRNTheme &a, const KVRNTheme &b) { return a.id == b.id; }
};
