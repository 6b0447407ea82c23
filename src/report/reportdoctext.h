#pragma once

#include <QList>
#include <QString>

// The report's body as attributed text: one string, runs that give each
// stretch its font, colour, paragraph spacing and marks, and the indices of
// characters that must open a page. A paragraph ends at each line feed and
// takes the spacing of its first character's run.
class ReportDocText
{
public:
    // Marks the paginator and the painter read on a line's first character.
    enum Mark { Rule = 1, Keep = 2, PageBreak = 4 };

    // Weights on the usual 100..900 scale.
    enum Weight { Regular = 400, Semibold = 600, Bold = 700, Heavy = 800, Black = 900 };

    struct Font
    {
        double size = 10.5;
        Weight weight = Regular;
    };

    struct Color
    {
        double r = 0, g = 0, b = 0;
    };

    // Spacing before and after the paragraph and the hanging indent, in points.
    struct ParagraphStyle
    {
        double before = 0, after = 0, indent = 0;
    };

    struct Run
    {
        qsizetype start = 0, length = 0;
        Font font;
        Color color;
        ParagraphStyle style;
        int marks = 0;
    };

    struct Paragraph
    {
        qsizetype start = 0; // first character
        qsizetype length = 0; // without its line feed
        ParagraphStyle style;
    };

    // Appends text with these attributes; a line feed inside it ends a paragraph.
    void append(const QString &text, Font font, Color color, ParagraphStyle style, int marks = 0);
    // Marks the character at index as the start of a new page.
    void markPageBreak(qsizetype index);

    const QString &string() const { return m_text; }
    qsizetype length() const { return m_text.size(); }
    bool isEmpty() const { return m_text.isEmpty(); }
    const QList<Run> &runs() const { return m_runs; }
    // Marks on the character at index; 0 beyond the text.
    int marksAt(qsizetype index) const;
    // The paragraphs in order; text after the last line feed forms one more.
    QList<Paragraph> paragraphs() const;
    // The run holding index (the last run when index is at the end), or null.
    const Run *runAt(qsizetype index) const;

private:
    QString m_text;
    QList<Run> m_runs;
    QList<qsizetype> m_pageBreaks;
};
