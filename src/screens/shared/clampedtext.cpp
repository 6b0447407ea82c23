#include "clampedtext.h"

#include "kit/kvaccessible.h"
#include "kit/kvscalewatch.h"
#include "look/fvfont.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <cmath>

ClampedText::ClampedText(double points, QFont::Weight weight, int maxLines, QWidget *parent)
    : QWidget(parent)
    , m_points(points)
    , m_weight(weight)
    , m_maxLines(std::max(1, maxLines))
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    KVAccessible::setRole(this, QAccessible::StaticText); // read in full, cut or not
    applyFont();
    KVScaleWatch::follow(this, [this] { applyFont(); });
}

void ClampedText::applyFont()
{
    setFont(FVFont::font(m_points, m_weight));
}

void ClampedText::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    setAccessibleName(text);
    updateGeometry();
    update();
}

void ClampedText::setColor(const QColor &color)
{
    m_color = color;
    update();
}

ClampedText::Cache &ClampedText::cache() const
{
    Cache &c = m_cache;
    if (c.text != m_text || c.font != font())
        c = Cache{m_text, font(), {}, -1, {}};
    return c;
}

QStringList ClampedText::linesAt(int width) const
{
    Cache &c = cache();
    if (const auto it = c.lines.constFind(width); it != c.lines.cend())
        return *it;
    if (c.lines.size() >= 64)
        c.lines.clear(); // a window dragged through many widths
    return *c.lines.insert(width, wrap(width));
}

QStringList ClampedText::wrap(int width) const
{
    QStringList out;
    if (m_text.isEmpty() || width <= 0)
        return out;
    const QFontMetricsF fm(font());
    Cache &c = cache();
    if (!c.layout) {
        // Kept open: each width after the first only breaks the lines
        // again, over the glyphs shaped the first time.
        QString text = m_text;
        text.replace(u'\n', u' ');
        c.layout = std::make_shared<QTextLayout>(text, font());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        c.layout->setTextOption(option);
        c.layout->beginLayout();
    }
    QTextLayout &layout = *c.layout;
    const QString text = layout.text();
    layout.clearLayout();
    while (out.size() < m_maxLines) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        if (out.size() == m_maxLines - 1) {
            // The last line takes the rest of the text, cut with an ellipsis.
            out << fm.elidedText(text.mid(line.textStart()), Qt::ElideRight, width);
            break;
        }
        out << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    return out;
}

int ClampedText::heightForWidth(int width) const
{
    const QFontMetricsF fm(font());
    const qsizetype lines = std::max<qsizetype>(1, linesAt(width).size());
    return int(std::ceil(lines * fm.lineSpacing()));
}

QSize ClampedText::sizeHint() const
{
    const QFontMetricsF fm(font());
    Cache &c = cache();
    if (c.width < 0)
        c.width = int(std::ceil(fm.horizontalAdvance(m_text))) + 1;
    return QSize(c.width, int(std::ceil(fm.lineSpacing())));
}

QSize ClampedText::minimumSizeHint() const
{
    const QFontMetricsF fm(font());
    return QSize(int(std::ceil(fm.horizontalAdvance(QStringLiteral("\u2026")))) + 1, int(std::ceil(fm.lineSpacing())));
}

void ClampedText::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setFont(font());
    p.setPen(m_color.isValid() ? m_color : palette().color(QPalette::WindowText));
    const QFontMetricsF fm(font());
    double y = fm.ascent();
    for (const QString &line : linesAt(width())) {
        p.drawText(QPointF(0, y), line);
        y += fm.lineSpacing();
    }
}
