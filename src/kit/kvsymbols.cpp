#include "kvsymbols.h"

#include "kvfont.h"
#include "kvscale.h"

#include <QHash>
#include <QPainter>

namespace {

// Symbol name -> Material Icons code point.
const QHash<QString, char16_t> &table()
{
    static const QHash<QString, char16_t> map{
        {QStringLiteral("magnifyingglass"), 0xe8b6},                   // search
        {QStringLiteral("xmark.circle.fill"), 0xe5c9},                 // cancel
        {QStringLiteral("xmark.circle"), 0xe888},                      // highlight_off
        {QStringLiteral("plus.circle"), 0xe148},                       // add_circle_outline
        {QStringLiteral("doc.richtext"), 0xef42},                      // article
        {QStringLiteral("circle.fill"), 0xef4a},                       // circle
        {QStringLiteral("gauge.with.dots.needle.67percent"), 0xe9e4},  // speed
        {QStringLiteral("exclamationmark.triangle.fill"), 0xe002},     // warning
        {QStringLiteral("exclamationmark.octagon.fill"), 0xe160},      // report
        {QStringLiteral("wrench.and.screwdriver.fill"), 0xf10b},       // handyman
        {QStringLiteral("wifi"), 0xe63e},                              // wifi
        {QStringLiteral("wifi.slash"), 0xe648},                        // wifi_off
        {QStringLiteral("trash"), 0xe92e},                             // delete_outline
        {QStringLiteral("line.3.horizontal.decrease.circle"), 0xe152}, // filter_list
        {QStringLiteral("flag.checkered"), 0xf06e},                    // sports_score
        {QStringLiteral("chevron.right"), 0xe5cc},                     // chevron_right
        {QStringLiteral("checkmark.seal.fill"), 0xef76},               // verified
        {QStringLiteral("photo.on.rectangle.angled"), 0xe413},         // photo_library
        {QStringLiteral("clock.arrow.circlepath"), 0xe889},            // history
        {QStringLiteral("car.fill"), 0xe531},                          // directions_car
        {QStringLiteral("barcode.viewfinder"), 0xf206},                // qr_code_scanner
        {QStringLiteral("arrow.triangle.branch"), 0xe0b6},             // call_split
    };
    return map;
}

// Material glyphs fill 20 of 24 units of the em: an em of 1.2 s draws a symbol about s across.
constexpr double kEmPerTextSize = 1.2;

} // namespace

QString KVSymbols::glyph(const QString &name)
{
    const auto it = table().constFind(name);
    if (it == table().constEnd())
        return {};
    return QString(QChar(*it));
}

bool KVSymbols::known(const QString &name)
{
    return table().contains(name);
}

QStringList KVSymbols::names()
{
    QStringList list = table().keys();
    list.sort();
    return list;
}

QFont KVSymbols::font(double points)
{
    QFont f(QStringLiteral("Material Icons"));
    f.setFamilies({QStringLiteral("Material Icons")});
    f.setStyleStrategy(QFont::NoFontMerging);
    KVFont::setPixelSizeF(f, KVScale::pt(points) * kEmPerTextSize);
    return f;
}

double KVSymbols::extent(double points)
{
    return KVScale::pt(points) * kEmPerTextSize;
}

void KVSymbols::draw(QPainter &painter, const QString &name, const QRectF &box, double points, const QColor &color)
{
    const QString g = glyph(name);
    if (g.isEmpty())
        return;
    painter.save();
    painter.setFont(font(points));
    painter.setPen(color);
    painter.drawText(box, Qt::AlignCenter, g);
    painter.restore();
}
