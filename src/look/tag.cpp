#include "tag.h"

#include "fvfont.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvshape.h"
#include "kit/kvsymbols.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace {
constexpr double kTextSize = 11;
constexpr double kSpacing = 5;
constexpr double kPadX = 10;
constexpr double kPadY = 4;
} // namespace

Tag::Tag(const QString &text, const QColor &color, const QString &icon, QWidget *parent)
    : QWidget(parent)
    , m_text(text)
    , m_color(color)
    , m_icon(KVSymbols::known(icon) ? icon : QString())
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(text);
    KVScaleWatch::follow(this);
}

void Tag::setLabel(const QString &text, const QColor &color)
{
    if (text == m_text && color == m_color)
        return;
    if (text != m_text) {
        m_text = text;
        m_hint = QSize(); // measured again for the new text
        setAccessibleName(text);
        updateGeometry();
    }
    m_color = color;
    update();
}

QFont Tag::labelFont()
{
    return FVFont::font(kTextSize, QFont::ExtraBold);
}

QSize Tag::sizeHint() const
{
    const QFont font = labelFont();
    if (m_hint.isValid() && font == m_hintFont && KVScale::factor() == m_hintScale)
        return m_hint;
    const QFontMetricsF fm(font);
    double w = fm.horizontalAdvance(m_text);
    double h = fm.height();
    if (!m_icon.isEmpty()) {
        const double s = KVSymbols::extent(kTextSize);
        w += s + KVScale::pt(kSpacing);
        h = std::max(h, s);
    }
    m_hintFont = font;
    m_hintScale = KVScale::factor();
    m_hint = QSize(int(std::ceil(w + 2 * KVScale::pt(kPadX))), int(std::ceil(h + 2 * KVScale::pt(kPadY))));
    return m_hint;
}

void Tag::paintEvent(QPaintEvent *)
{
    using namespace KVShape;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF r(rect());
    p.fillPath(capsule(r), vertical(r, {faded(m_color, 1.0), faded(m_color, 0.65)}));
    strokeCapsuleInside(p, r, KVScale::pt(0.8), vertical(r, {white(1, 0.6), QColor::fromRgbF(0, 0, 0, 0.3f)}));

    double x = KVScale::pt(kPadX);
    if (!m_icon.isEmpty()) {
        const double s = KVSymbols::extent(kTextSize);
        KVSymbols::draw(p, m_icon, QRectF(x, (height() - s) / 2.0, s, s), kTextSize, Qt::white);
        x += s + KVScale::pt(kSpacing);
    }
    p.setFont(labelFont());
    p.setPen(Qt::white);
    p.drawText(QRectF(x, 0, width() - x, height()), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_text);
}
