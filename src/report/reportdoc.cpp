#include "reportdoc.h"

#include "platform/maker.h"
#include "platform/pdfmodule.h"
#include "platform/text.h"
#include "reportdocengine.h"
#include "reportdocpaginator.h"

#include <QBuffer>
#include <QIODevice>

namespace {

using Font = ReportDocText::Font;
using Para = ReportDocText::ParagraphStyle;

constexpr ReportDocText::Color warningRed{0.72, 0.10, 0.10};

// A new engine from the PDF module; null without the module.
std::unique_ptr<ReportDocEngine> newEngine()
{
    const auto make = reinterpret_cast<ReportDocEngineMaker>(PDFModule::resolve(FV_REPORT_ENGINE_MAKER));
    return std::unique_ptr<ReportDocEngine>(make ? make() : nullptr);
}

} // namespace

ReportDocText::Color ReportDoc::color(Seriousness level)
{
    switch (level.level()) {
    case Seriousness::Drive: return {0.10, 0.50, 0.27};
    case Seriousness::Soon: return {0.78, 0.45, 0.00};
    case Seriousness::Stop: return {0.75, 0.12, 0.11};
    }
    return ink;
}

void ReportDoc::add(const QString &text, Font font, ReportDocText::Color color, Para style, int marks)
{
    m_text.append(text + QLatin1Char('\n'), font, color, style, marks);
}

void ReportDoc::para(const QString &text, Style style)
{
    switch (style) {
    case Style::Body: add(text, Font{10.5, ReportDocText::Regular}, ink, Para{0, 4, 0}); break;
    case Style::BodyBold: add(text, Font{10.5, ReportDocText::Semibold}, ink, Para{0, 4, 0}); break;
    case Style::Small: add(text, Font{8.5, ReportDocText::Regular}, dim, Para{0, 4, 0}); break;
    case Style::Label: add(text.toUpper(), Font{9, ReportDocText::Heavy}, accent, Para{2, 3, 0}); break;
    case Style::Warning: add(text, Font{10.5, ReportDocText::Bold}, warningRed, Para{2, 5, 0}); break;
    case Style::H2: h2(text); break;
    case Style::H3: h3(text); break;
    }
}

void ReportDoc::h2(const QString &text, bool newPage)
{
    const qsizetype start = m_text.length();
    add(text, Font{15, ReportDocText::Heavy}, ink, Para{newPage ? 0.0 : 16.0, 9, 0},
        ReportDocText::Rule | ReportDocText::Keep);
    if (newPage)
        m_text.markPageBreak(start);
}

void ReportDoc::h3(const QString &text)
{
    add(text.toUpper(), Font{8.5, ReportDocText::Heavy}, accent, Para{6, 2, 0}, ReportDocText::Keep);
}

void ReportDoc::keyValues(const QList<std::pair<QString, QString>> &pairs)
{
    const Para style{0, 2, 70};
    for (const auto &[label, value] : pairs) {
        m_text.append(label + QLatin1Char('\t'), Font{10.5, ReportDocText::Bold}, dim, style);
        m_text.append(value + QLatin1Char('\n'), Font{11, ReportDocText::Semibold}, ink, style);
    }
}

void ReportDoc::severity(Seriousness level)
{
    const Para style{0, 3, 0};
    m_text.append(QStringLiteral("\u25CF Severity: ") + level.title().toUpper() + QStringLiteral("  "),
                  Font{11.5, ReportDocText::Heavy}, color(level), style, ReportDocText::Keep);
    m_text.append(level.explanation() + QLatin1Char('\n'), Font{10, ReportDocText::Regular}, ink, style);
}

void ReportDoc::numbered(const QStringList &items)
{
    for (qsizetype i = 0; i < items.size(); ++i)
        add(QString::number(i + 1) + QStringLiteral(".\t") + items[i], Font{10.5, ReportDocText::Regular}, ink,
            Para{0, 3, 16});
}

void ReportDoc::bullets(const QStringList &items)
{
    for (const QString &item : items)
        add(QStringLiteral("\u2022\t") + item, Font{10.5, ReportDocText::Regular}, ink, Para{0, 3, 13});
}

void ReportDoc::space(double height)
{
    add(QStringLiteral(" "), Font{2, ReportDocText::Regular}, ink, Para{0, height, 0});
}

ReportDoc::Layout::Layout() = default;
ReportDoc::Layout::Layout(Layout &&) noexcept = default;
ReportDoc::Layout::~Layout() = default;

ReportDoc::Layout ReportDoc::layout() const
{
    Layout out;
    out.m_engine = newEngine();
    if (!out.m_engine) {
        out.m_complete = false;
        return out;
    }
    // Lines taller than every page together cannot all fit: typesetting
    // stops there, so a very long body costs no more than the page limit.
    const double capacity = firstColumnHeight + (ReportDocPaginator::pageLimit - 1) * laterColumnHeight;
    out.m_engine->typeset(m_text, columnWidth, capacity);
    const QList<ReportDocPaginator::Line> &lines = out.m_engine->metrics();
    out.m_frames = ReportDocPaginator::paginate(lines, firstColumnHeight, laterColumnHeight);
    const qsizetype laidLines = out.m_frames.constLast().endLine();
    out.m_complete = out.m_engine->complete() && laidLines == lines.size();
    if (laidLines > 0)
        out.m_end = out.m_engine->lineEnd(laidLines - 1);
    return out;
}

bool ReportDoc::tooLong() const
{
    // No paragraph is shorter than a line of the 2-point spacer.
    constexpr double shortest = 2;
    const double capacity = firstColumnHeight + (ReportDocPaginator::pageLimit - 1) * laterColumnHeight;
    return double(m_text.string().count(QLatin1Char('\n'))) * shortest > capacity;
}

QByteArray ReportDoc::render(const Titles &titles) const
{
    return render(layout(), titles);
}

QByteArray ReportDoc::render(const Layout &layout, const Titles &titles) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!renderTo(&buffer, layout, titles))
        return {};
    return bytes;
}

bool ReportDoc::renderTo(QIODevice *device, const Titles &titles) const
{
    return renderTo(device, layout(), titles);
}

bool ReportDoc::renderTo(QIODevice *device, const Layout &layout, const Titles &titles) const
{
    if (!device || !device->isWritable() || !layout.m_engine)
        return false;
    // cairo refuses noncharacters and control characters in metadata: the
    // texts that come from outside are made printable.
    const ReportDocEngine::Page page{
        titles.title,
        titles.heading,
        titles.subtitle,
        titles.footer,
        Maker::website(),
        Text::printable(titles.pdfTitle, false),
        QStringLiteral("KVRN Fenwhistle Vorel"),
        QStringLiteral("Trouble Code Report"),
        Text::printable(QStringLiteral("KVRN Fenwhistle Vorel ") + titles.version + QStringLiteral(" by Brackenfold"),
                        false)};
    return layout.m_engine->render(device, m_text, layout.m_frames, page);
}
