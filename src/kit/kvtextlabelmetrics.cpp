#include "kvtextlabelmetrics.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QTextLayout>
#include <QWidget>
#include <cmath>

KVTextLabelMetrics::KVTextLabelMetrics(const QString &text, const QFont &font, Qt::Alignment alignment)
    : m_font(font)
{
    QTextOption option;
    option.setAlignment(alignment);
    option.setWrapMode(QTextOption::WordWrap);
    for (const QString &paragraph : text.split(u'\n')) {
        auto layout = std::make_unique<QTextLayout>(paragraph, font);
        layout->setTextOption(option);
        layout->beginLayout();
        m_paragraphs.push_back(std::move(layout));
    }
}

KVTextLabelMetrics::~KVTextLabelMetrics()
{
    for (const auto &layout : m_paragraphs)
        layout->endLayout();
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

bool KVTextLabelMetrics::handlesPainted(const QString &text)
{
    return handles(text) && !text.contains(u'\n');
}

QSize KVTextLabelMetrics::painted(int width) const
{
    const double leading = QFontMetricsF(m_font).leading();
    double height = -leading;
    double widest = 0;
    for (const auto &layout : m_paragraphs) {
        layout->clearLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(std::max(width, 0));
            height = std::ceil(height + leading);
            height += line.ascent() + line.descent();
            widest = std::max(widest, line.naturalTextWidth());
        }
    }
    return QSize(int(std::ceil(widest)), int(std::ceil(height)));
}

KVTextLabelMetrics::Lines KVTextLabelMetrics::layout(double width) const
{
    Lines out;
    for (const auto &layout : m_paragraphs) {
        layout->clearLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(width);
            out.height += std::ceil(line.ascent() + line.descent() + line.leading());
            out.widest = std::max(out.widest, line.naturalTextWidth());
        }
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
