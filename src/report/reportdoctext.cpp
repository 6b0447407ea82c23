#include "reportdoctext.h"

#include <algorithm>

void ReportDocText::append(const QString &text, Font font, Color color, ParagraphStyle style, int marks)
{
    if (text.isEmpty())
        return;
    m_runs.append(Run{m_text.size(), text.size(), font, color, style, marks & (Rule | Keep)});
    m_text += text;
}

void ReportDocText::markPageBreak(qsizetype index)
{
    if (index >= 0 && index < m_text.size() && !m_pageBreaks.contains(index))
        m_pageBreaks.append(index);
}

int ReportDocText::marksAt(qsizetype index) const
{
    const Run *run = index < m_text.size() ? runAt(index) : nullptr;
    int marks = run ? run->marks : 0;
    if (m_pageBreaks.contains(index))
        marks |= PageBreak;
    return marks;
}

const ReportDocText::Run *ReportDocText::runAt(qsizetype index) const
{
    if (m_runs.isEmpty() || index < 0)
        return nullptr;
    // First run that ends after index.
    const auto it = std::upper_bound(m_runs.cbegin(), m_runs.cend(), index,
                                     [](qsizetype i, const Run &r) { return i < r.start + r.length; });
    return it == m_runs.cend() ? &m_runs.constLast() : &*it;
}

QList<ReportDocText::Paragraph> ReportDocText::paragraphs() const
{
    QList<Paragraph> out;
    qsizetype start = 0;
    while (start < m_text.size()) {
        qsizetype end = m_text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = m_text.size();
        out.append(Paragraph{start, end - start, runAt(start)->style});
        start = end + 1;
    }
    return out;
}
