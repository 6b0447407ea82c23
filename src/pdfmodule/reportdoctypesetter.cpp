#include "reportdoctypesetter.h"

#include <algorithm>
#include <vector>

namespace {

constexpr const char *families = "Lato,DejaVu Sans";
constexpr const char *features = "liga 0, clig 0";

double points(int pangoUnits)
{
    return double(pangoUnits) / PANGO_SCALE;
}

int units(double pts)
{
    return int(pts * PANGO_SCALE + (pts < 0 ? -0.5 : 0.5));
}

PangoFontDescription *fontDescription(ReportDocText::Font font)
{
    PangoFontDescription *desc = pango_font_description_new();
    pango_font_description_set_family(desc, families);
    pango_font_description_set_weight(desc, PangoWeight(font.weight));
    pango_font_description_set_absolute_size(desc, font.size * PANGO_SCALE);
    return desc;
}

guint16 channel(double c)
{
    return guint16(std::clamp(c, 0.0, 1.0) * 65535 + 0.5);
}

bool noncharacter(char32_t c)
{
    return (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE;
}

// Text Pango and cairo accept, the same length in UTF-16 units: no NULs,
// no lone surrogates, no noncharacters.
QString sanitized(QStringView text)
{
    QString out = text.toString();
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QChar c = out[i];
        if (c.isNull()) {
            out[i] = QLatin1Char(' ');
        } else if (c.isHighSurrogate() && i + 1 < out.size() && out[i + 1].isLowSurrogate()) {
            if (noncharacter(QChar::surrogateToUcs4(c, out[i + 1]))) {
                out[i] = QChar(QChar::ReplacementCharacter);
                out[i + 1] = QChar(QChar::ReplacementCharacter);
            }
            ++i;
        } else if (c.isSurrogate() || noncharacter(c.unicode())) {
            out[i] = QChar(QChar::ReplacementCharacter);
        }
    }
    return out;
}

// A zero-width space: where an unbroken run must break, Pango finds a break.
constexpr char zeroWidthSpace[] = "\xE2\x80\x8B";
constexpr int zeroWidthSpaceBytes = 3;

// Byte offset in the UTF-8 form of each UTF-16 index (size + 1 entries), with
// a zero-width space before each index in `breaks` (ascending).
QList<int> byteOffsets(const QString &text, const QList<qsizetype> &breaks)
{
    QList<int> at;
    at.reserve(text.size() + 1);
    int bytes = 0;
    qsizetype next = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (next < breaks.size() && breaks[next] == i) {
            bytes += zeroWidthSpaceBytes;
            ++next;
        }
        at.append(bytes);
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size()) {
            at.append(bytes); // the low half sits inside the same code point
            bytes += 4;
            ++i;
        } else {
            bytes += c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
        }
    }
    at.append(bytes);
    return at;
}

QByteArray utf8With(const QString &text, const QList<qsizetype> &breaks)
{
    if (breaks.isEmpty())
        return text.toUtf8();
    QByteArray out;
    qsizetype from = 0;
    for (const qsizetype at : breaks) {
        out += QStringView(text).mid(from, at - from).toUtf8();
        out += zeroWidthSpace;
        from = at;
    }
    out += QStringView(text).mid(from).toUtf8();
    return out;
}

// Runs shorter than this many characters without a blank fit any column:
// the paragraph is laid out as Pango breaks it.
constexpr qsizetype longRun = 48;

bool hasLongRun(const QString &text)
{
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run >= longRun)
            return true;
    }
    return false;
}

// Where the runs without a break opportunity that are wider than `available`
// must break, measured once on `flat` (the paragraph on one unwrapped line):
// UTF-16 indices into `text`, ascending. Pango alone breaks such a run with
// work growing as the square of its length.
QList<qsizetype> forcedBreaks(PangoLayout *flat, const QString &text, double available)
{
    const char *utf8 = pango_layout_get_text(flat);
    int attrCount = 0;
    const PangoLogAttr *attrs = pango_layout_get_log_attrs_readonly(flat, &attrCount);
    const int chars = attrCount - 1;
    if (chars <= 0)
        return {};

    // Each character's advance, in the order of the text.
    std::vector<int> advance(size_t(chars), 0);
    std::vector<PangoGlyphItem *> runs;
    // More than one line only where the paragraph holds a forced break (U+2028).
    for (GSList *l = pango_layout_get_lines_readonly(flat); l; l = l->next) {
        for (GSList *r = static_cast<PangoLayoutLine *>(l->data)->runs; r; r = r->next)
            runs.push_back(static_cast<PangoGlyphItem *>(r->data));
    }
    std::sort(runs.begin(), runs.end(),
              [](const PangoGlyphItem *a, const PangoGlyphItem *b) { return a->item->offset < b->item->offset; });
    long charAt = 0;
    int byteAt = 0;
    for (PangoGlyphItem *run : runs) {
        charAt += g_utf8_pointer_to_offset(utf8 + byteAt, utf8 + run->item->offset);
        byteAt = run->item->offset;
        if (charAt < 0 || charAt + run->item->num_chars > chars)
            break;
        pango_glyph_item_get_logical_widths(run, utf8, advance.data() + charAt);
    }

    // Kerning and shaping may differ a little where the run is cut.
    const int room = std::max(units(available * 0.98 - 2), PANGO_SCALE);
    QList<qsizetype> breaks;
    qsizetype u16 = 0;
    int used = 0;
    for (int i = 0; i < chars; ++i) {
        if (attrs[i].is_line_break || attrs[i].is_mandatory_break || attrs[i].is_white)
            used = 0;
        else if (used > 0 && used + advance[size_t(i)] > room && attrs[i].is_char_break) {
            breaks.append(u16);
            used = 0;
        }
        used += std::max(advance[size_t(i)], 0);
        // The text has no lone surrogates (sanitized): one code point, one or two units.
        u16 += text[u16].isHighSurrogate() ? 2 : 1;
    }
    return breaks;
}

void addColor(PangoAttrList *attrs, ReportDocText::Color color, int from, int to)
{
    PangoAttribute *attr = pango_attr_foreground_new(channel(color.r), channel(color.g), channel(color.b));
    attr->start_index = guint(from);
    attr->end_index = guint(to);
    pango_attr_list_insert(attrs, attr);
}

void addFont(PangoAttrList *attrs, ReportDocText::Font font, int from, int to)
{
    PangoFontDescription *desc = fontDescription(font);
    PangoAttribute *attr = pango_attr_font_desc_new(desc);
    pango_font_description_free(desc);
    attr->start_index = guint(from);
    attr->end_index = guint(to);
    pango_attr_list_insert(attrs, attr);
}

PangoAttrList *baseAttributes()
{
    PangoAttrList *attrs = pango_attr_list_new();
    pango_attr_list_insert(attrs, pango_attr_font_features_new(features));
    return attrs;
}

} // namespace

struct ReportDocTypesetter::Single
{
    PangoLayout *layout = nullptr;
    ~Single()
    {
        if (layout)
            g_object_unref(layout);
    }
};

ReportDocTypesetter::ReportDocTypesetter()
{
    m_context = pango_font_map_create_context(pango_cairo_font_map_get_default());
    // Points as user units, unhinted outlines and unrounded positions: the
    // PDF scales freely.
    pango_cairo_context_set_resolution(m_context, 72);
    pango_context_set_round_glyph_positions(m_context, FALSE);
    cairo_font_options_t *options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(m_context, options);
    cairo_font_options_destroy(options);
}

ReportDocTypesetter::~ReportDocTypesetter()
{
    for (PangoLayout *layout : std::as_const(m_layouts))
        g_object_unref(layout);
    g_object_unref(m_context);
}

PangoLayout *ReportDocTypesetter::newLayout(const QString &text, const ReportDocText &doc, qsizetype start,
                                            double width, const ReportDocText::ParagraphStyle &style,
                                            const QList<qsizetype> &breaks, QList<int> &byteAt) const
{
    PangoLayout *layout = pango_layout_new(m_context);
    const QByteArray utf8 = utf8With(text, breaks);
    byteAt = byteOffsets(text, breaks);
    pango_layout_set_text(layout, utf8.constData(), int(utf8.size()));
    pango_layout_set_width(layout, width < 0 ? -1 : units(width));
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    pango_layout_set_spacing(layout, units(lineSpacing));
    if (style.indent > 0) {
        // One tab stop at the indent, and wrapped lines start there too.
        pango_layout_set_indent(layout, -units(style.indent));
        PangoTabArray *tabs = pango_tab_array_new_with_positions(1, FALSE, PANGO_TAB_LEFT, units(style.indent));
        pango_layout_set_tabs(layout, tabs);
        pango_tab_array_free(tabs);
    }

    // The paragraph's first run also sets the height of an empty line.
    const ReportDocText::Run *first = doc.runAt(start);
    PangoFontDescription *desc = fontDescription(first ? first->font : ReportDocText::Font{});
    pango_layout_set_font_description(layout, desc);
    pango_font_description_free(desc);

    PangoAttrList *attrs = baseAttributes();
    const qsizetype end = start + text.size();
    const QList<ReportDocText::Run> &runs = doc.runs();
    // From the run that holds `start`: a long document has many runs.
    auto it = std::upper_bound(runs.cbegin(), runs.cend(), start,
                               [](qsizetype i, const ReportDocText::Run &r) { return i < r.start + r.length; });
    for (; it != runs.cend() && it->start < end; ++it) {
        const ReportDocText::Run &run = *it;
        const qsizetype from = std::max(run.start, start);
        const qsizetype to = std::min(run.start + run.length, end);
        if (from >= to)
            continue;
        const int b0 = byteAt[from - start], b1 = byteAt[to - start];
        addFont(attrs, run.font, b0, b1);
        addColor(attrs, run.color, b0, b1);
    }
    pango_layout_set_attributes(layout, attrs);
    pango_attr_list_unref(attrs);
    return layout;
}

void ReportDocTypesetter::typeset(const ReportDocText &text, double width, double maxHeight)
{
    const QList<ReportDocText::Paragraph> paragraphs = text.paragraphs();
    double afterPrevious = 0;
    double used = 0;
    m_complete = true;
    for (const ReportDocText::Paragraph &para : paragraphs) {
        if (used > maxHeight) {
            m_complete = false;
            break;
        }
        const QString content = sanitized(QStringView(text.string()).mid(para.start, para.length));
        QList<int> byteAt;
        // A run too wide for any line is broken where it must be, once.
        QList<qsizetype> breaks;
        if (hasLongRun(content)) {
            PangoLayout *flat = newLayout(content, text, para.start, -1, para.style, {}, byteAt);
            breaks = forcedBreaks(flat, content, width - std::max(para.style.indent, 0.0));
            g_object_unref(flat);
        }
        PangoLayout *layout = newLayout(content, text, para.start, width, para.style, breaks, byteAt);
        m_layouts.append(layout);
        const qsizetype paraEnd = std::min(para.start + para.length + 1, text.length());

        PangoLayoutIter *iter = pango_layout_get_iter(layout);
        bool firstLine = true;
        do {
            PangoLayoutLine *pl = pango_layout_iter_get_line_readonly(iter);
            PangoRectangle logical;
            pango_layout_iter_get_line_extents(iter, nullptr, &logical);
            const int baseline = pango_layout_iter_get_baseline(iter);
            const auto offset = std::lower_bound(byteAt.cbegin(), byteAt.cend(), pl->start_index) - byteAt.cbegin();

            if (!m_lines.isEmpty() && !firstLine)
                m_lines.last().length = para.start + offset - m_lines.last().start;
            const qsizetype lineStart = para.start + offset;
            m_lines.append(Line{lineStart, paraEnd - lineStart, points(logical.x), pl});

            ReportDocPaginator::Line metric;
            metric.ascent = points(baseline - logical.y);
            metric.height = points(logical.height);
            metric.gapAbove = lineSpacing + (firstLine ? afterPrevious + para.style.before : 0);
            metric.marks = text.marksAt(lineStart);
            m_metrics.append(metric);
            used += metric.height;
            firstLine = false;
        } while (pango_layout_iter_next_line(iter));
        pango_layout_iter_free(iter);
        afterPrevious = para.style.after;
    }
}

ReportDocTypesetter::SingleLine ReportDocTypesetter::single(const QString &text, ReportDocText::Font font,
                                                            ReportDocText::Color color) const
{
    auto line = std::make_shared<Single>();
    line->layout = pango_layout_new(m_context);
    QString flat = sanitized(text);
    flat.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    const QByteArray utf8 = flat.toUtf8();
    pango_layout_set_text(line->layout, utf8.constData(), int(utf8.size()));
    PangoFontDescription *desc = fontDescription(font);
    pango_layout_set_font_description(line->layout, desc);
    pango_font_description_free(desc);
    PangoAttrList *attrs = baseAttributes();
    addColor(attrs, color, 0, int(utf8.size()));
    pango_layout_set_attributes(line->layout, attrs);
    pango_attr_list_unref(attrs);
    return line;
}

double ReportDocTypesetter::width(const SingleLine &line)
{
    PangoRectangle logical;
    pango_layout_line_get_extents(pango_layout_get_line_readonly(line->layout, 0), nullptr, &logical);
    return points(logical.width);
}

void ReportDocTypesetter::draw(cairo_t *cr, const SingleLine &line, double x, double baseline)
{
    cairo_move_to(cr, x, baseline);
    pango_cairo_show_layout_line(cr, pango_layout_get_line_readonly(line->layout, 0));
}
