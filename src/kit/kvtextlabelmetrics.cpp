#include "kvtextlabelmetrics.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QTextLayout>
#include <QWidget>
#include <cmath>

KVTextLabelMetrics::KVTextLabelMetrics(const QString &text, const QFont &font, Qt::Alignment alignment)
    : m_text(text)
    , m_font(font)
    , m_alignment(alignment)
{
}

bool KVTextLabelMetrics::handles(const QString &text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\t' || u == u'\r' || u == u'\v' || u == u'\f' || u == QChar::LineSeparator
            || u == QChar::ParagraphSeparator)
            return false;
    }
    return true;
}

KVTextLabelMetrics::Lines KVTextLabelMetrics::layout(double width) const
{
    QTextOption option;
    option.setAlignment(m_alignment);
    option.setWrapMode(QTextOption::WordWrap);
    Lines out;
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = m_text.indexOf(u'\n', start);
        QTextLayout layout(m_text.mid(start, end < 0 ? -1 : end - start), m_font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(width);
            out.height += std::ceil(line.ascent() + line.descent() + line.leading());
            out.widest = std::max(out.widest, line.naturalTextWidth());
        }
        layout.endLayout();
        if (end < 0)
            break;
        start = end + 1;
    }
    return out;
}

int KVTextLabelMetrics::height(int width) const
{
    return int(std::ceil(layout(width).height));
}

QSize KVTextLabelMetrics::preferred() const
{
    const int most = QFontMetrics(m_font).horizontalAdvance(u'x') * 80;
    int width = most;
    Lines lines = layout(width);
    const double first = widthAt(width, lines);
    if (first != 0) {
        width = int(std::sqrt(double(uint(5 * lines.height * first / 3))));
        lines = layout(std::min(width, most));
        if (width * 3 < 5 * lines.height) {
            const double second = widthAt(std::min(width, most), lines);
            width = int(std::sqrt(double(uint(2 * lines.height * second))));
            lines = layout(std::min(width, most));
        }
    }
    const double ideal = lines.widest;
    const Lines last = layout(ideal);
    return QSize(int(std::ceil(widthAt(ideal, last))), int(std::ceil(last.height)));
}

QSize KVTextLabelMetrics::minimum(double *unwrapped) const
{
    const Lines lines = layout(QWIDGETSIZE_MAX);
    if (unwrapped)
        *unwrapped = lines.widest;
    return QSize(int(std::ceil(widthAt(0, layout(0)))), int(std::ceil(lines.height)));
}

bool KVTextLabelMetrics::unwrappedAt(int width, double unwrapped) const
{
    return width >= std::ceil(unwrapped) + std::ceil(QFontMetricsF(m_font).height() / 2);
}
