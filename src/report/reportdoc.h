#pragma once

#include "data/seriousness.h"
#include "reportdocpaginator.h"
#include "reportdoctext.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <utility>

class QIODevice;
class ReportDocEngine;

// The Trouble Code Report's document engine: styled paragraphs in, the bytes
// of a US Letter PDF out. Builders append to the body in document order;
// render pours it into pages with a header band on page 1, a rule under each
// section heading and, on every page, a footer with the maker's link and
// "Page i of M". One document makes one PDF.
class ReportDoc final
{
public:
    enum class Style { Body, BodyBold, Small, Label, Warning, H2, H3 };

    // What render prints besides the body, and the PDF's title.
    struct Titles
    {
        QString title; // upper-cased in the band
        QString heading; // the band's large line
        QString subtitle;
        QString footer; // on every page; its width is the link's width
        QString pdfTitle;
        QString version; // goes into the Creator
    };

    static constexpr ReportDocText::Color ink{0.08, 0.09, 0.11};
    static constexpr ReportDocText::Color dim{0.35, 0.37, 0.40};
    static constexpr ReportDocText::Color accent{0.10, 0.28, 0.55};

    // US Letter, in points; the body column on every page.
    static constexpr double pageWidth = 612, pageHeight = 792;
    static constexpr double columnLeft = 50, columnWidth = 512, columnBottom = 90;
    static constexpr double firstColumnHeight = 546, laterColumnHeight = 652;

    ReportDoc() = default;

    void para(const QString &text, Style style);
    void h2(const QString &text, bool newPage = false);
    void h3(const QString &text);
    // One paragraph per pair: the label, a tab, the value at 70 points.
    void keyValues(const QList<std::pair<QString, QString>> &pairs);
    void severity(Seriousness level);
    void numbered(const QStringList &items);
    void bullets(const QStringList &items);
    void space(double height);

    // The body poured into pages, ready to draw.
    class Layout
    {
    public:
        Layout(Layout &&) noexcept;
        ~Layout();
        // Whether the whole body fitted within the page limit.
        bool complete() const { return m_complete; }
        // The characters laid out, from the start of the body.
        qsizetype end() const { return m_end; }
        qsizetype pages() const { return m_frames.size(); }

    private:
        friend class ReportDoc;
        Layout();
        std::unique_ptr<ReportDocEngine> m_engine;
        QList<ReportDocPaginator::Frame> m_frames;
        bool m_complete = true;
        qsizetype m_end = 0;
    };
    Layout layout() const;
    // Whether the body has more paragraphs than the page limit could hold
    // even at the smallest line height: then it cannot fit, unlaid.
    bool tooLong() const;

    // The PDF's bytes; empty when no PDF could be made.
    QByteArray render(const Titles &titles) const;
    QByteArray render(const Layout &layout, const Titles &titles) const;
    // Streams the PDF to device; false when the PDF or a write failed.
    bool renderTo(QIODevice *device, const Titles &titles) const;
    bool renderTo(QIODevice *device, const Layout &layout, const Titles &titles) const;

    const ReportDocText &text() const { return m_text; }

    static ReportDocText::Color color(Seriousness level);

private:
    void add(const QString &text, ReportDocText::Font font, ReportDocText::Color color,
             ReportDocText::ParagraphStyle style, int marks = 0);

    ReportDocText m_text;
};
