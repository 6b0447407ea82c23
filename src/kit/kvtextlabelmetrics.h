#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <algorithm>
#include <memory>
#include <vector>

class QTextLayout;

// Plain text wrapped at word boundaries, measured line by line as a text
// document lays out its paragraphs (leading included, each line rounded up
// to whole pixels; the document as wide as the width it is given or its
// widest line). A selectable label measures its text through such a
// document, laying it out twice for each width asked and some five times for
// its size hints; the same sizes come here from bare text layouts. The text
// is shaped once, when first measured: each width after only breaks lines.
class KVTextLabelMetrics
{
public:
    KVTextLabelMetrics(const QString &text, const QFont &font, Qt::Alignment alignment);
    ~KVTextLabelMetrics();
    KVTextLabelMetrics(const KVTextLabelMetrics &) = delete;
    KVTextLabelMetrics &operator=(const KVTextLabelMetrics &) = delete;

    // Whether a text is measured here as the document would: no tabs,
    // carriage returns or Unicode line and paragraph separators.
    static bool handles(const QString &text);

    // The height of the text at a width, in whole pixels.
    int height(int width) const;
    // The shape the document takes when asked to adjust its size: narrowed
    // from 80 "x" wide towards a pleasing proportion, then to its widest line.
    QSize preferred() const;
    // The widest word's width and the height of one line per paragraph;
    // `unwrapped` gets the widest paragraph's width on its one line.
    QSize minimum(double *unwrapped = nullptr) const;
    // Whether every paragraph keeps to one line at a width, given the
    // widest one's unwrapped width, with room to spare for a glyph reaching
    // past its advance: the height is then that of minimum().
    bool unwrappedAt(int width, double unwrapped) const;

    // Whether a text is measured here as a painter lays it out: no line
    // breaks of any kind and no tabs.
    static bool handlesPainted(const QString &text);
    // The box a painter's text layout gives the text wrapped at a width
    // (lines on whole pixels, the font's leading between them), as font
    // metrics bound a left- and top-aligned word-wrapped text.
    QSize painted(int width) const;

private:
    struct Lines
    {
        double height = 0;
        double widest = 0; // the widest line's natural width
    };
    Lines layout(double width) const;
    // The document's width at a text width.
    static double widthAt(double width, const Lines &lines) { return std::max(width, lines.widest); }

    QFont m_font;
    // One layout a paragraph, kept open: its lines are cleared and broken
    // again at each width, over the glyphs shaped the first time.
    std::vector<std::unique_ptr<QTextLayout>> m_paragraphs;
};
