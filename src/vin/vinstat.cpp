#include "vinstat.h"

#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "look/fvfont.h"
#include "look/fvpalette.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace {

constexpr double kGap = 2;

// The value as runs: single digits, and the text between them whole (so a
// mark with its variation selector stays one piece).
QStringList runs(const QString &value)
{
    QStringList out;
    QString text;
    for (const QChar c : value) {
        if (c >= u'0' && c <= u'9') {
            if (!text.isEmpty())
                out << std::exchange(text, {});
            out << QString(c);
        } else {
            text += c;
        }
    }
    if (!text.isEmpty())
        out << text;
    return out;
}

bool isDigit(const QString &run)
{
    return run.size() == 1 && run.front() >= u'0' && run.front() <= u'9';
}

} // namespace

VINStat::VINStat(const QString &caption, QWidget *parent)
    : QWidget(parent), m_caption(caption)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(caption);
    KVScaleWatch::follow(this);
}

void VINStat::setValue(const QString &value)
{
    if (value == m_value)
        return;
    m_value = value;
    setAccessibleDescription(value);
    updateGeometry();
    update();
}

QFont VINStat::captionFont()
{
    return FVFont::font(10, QFont::Black);
}

QFont VINStat::valueFont()
{
    return FVFont::font(22, QFont::Black);
}

double VINStat::valueWidth(const QString &value)
{
    const QFontMetricsF fm(valueFont());
    const double cell = fm.horizontalAdvance(QChar(u'0'));
    double w = 0;
    for (const QString &run : runs(value))
        w += isDigit(run) ? cell : fm.horizontalAdvance(run);
    return w;
}

QSize VINStat::sizeHint() const
{
    const QFontMetricsF cap(captionFont());
    const QFontMetricsF val(valueFont());
    const double w = std::max(cap.horizontalAdvance(shownCaption()), valueWidth(m_value));
    const double h = cap.height() + KVScale::pt(kGap) + val.height();
    return QSize(int(std::ceil(w)) + 1, int(std::ceil(h)));
}

void VINStat::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QFontMetricsF cap(captionFont());
    p.setFont(captionFont());
    p.setPen(FVPalette::current().dim);
    p.drawText(QPointF(0, cap.ascent()), shownCaption());

    const QFont font = valueFont();
    const QFontMetricsF fm(font);
    p.setFont(font);
    p.setPen(palette().color(QPalette::WindowText));
    const double cell = fm.horizontalAdvance(QChar(u'0'));
    const double y = cap.height() + KVScale::pt(kGap) + fm.ascent();
    double x = 0;
    for (const QString &run : runs(m_value)) {
        const double w = fm.horizontalAdvance(run);
        if (isDigit(run)) {
            p.drawText(QPointF(x + (cell - w) / 2, y), run);
            x += cell;
        } else {
            p.drawText(QPointF(x, y), run);
            x += w;
        }
    }
}
