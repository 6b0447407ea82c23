// The report laid out as a PDF document, and written to a file.

#include "troublereport.h"

#include "platform/fvinfo.h"
#include "platform/text.h"
#include "reportdoc.h"
#include "reportdocpaginator.h"

#include <algorithm>
#include <array>

#include <QLocale>
#include <QSaveFile>

namespace {

using Style = ReportDoc::Style;

// Where owners look up open recalls by VIN.
const QString recallLookup = QStringLiteral("nhtsa.gov/recalls");
const QString dash = QStringLiteral(" \u2014 ");
const QString dot = QStringLiteral(" \u00b7 ");

QString longDate(const QDateTime &when)
{
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(when.date(), QStringLiteral("MMMM d, yyyy"));
}

QString longDateShortTime(const QDateTime &when)
{
    return longDate(when) + QStringLiteral(" at ")
        + QLocale(QLocale::English, QLocale::UnitedStates).toString(when.time(), QStringLiteral("h:mm AP"));
}

// How a report too long for the page limit is cut: the code sections of the
// first `explained` codes of `order` follow the page for the mechanic, the
// rest are only listed. `order` puts the most urgent first: Stop, Drive soon,
// Drive, then codes the reference does not know, saved order within each.
struct Cut
{
    QList<qsizetype> order;
    qsizetype explained = 0;
};

constexpr qsizetype codesPerParagraph = 100;

// Code paragraphs on the mechanic's page of a cut report.
constexpr qsizetype cutSummaryCodes = 40;

// The kinds of code a cut report counts, in the order it explains them.
constexpr int cutKinds = 4;

int cutKind(const TroubleReportCode &c)
{
    return c.info ? 2 - int(c.info->level().level()) : cutKinds - 1;
}

QString kindCodes(int kind, qsizetype count)
{
    const QString codes = Text::plural(count, QStringLiteral("code"));
    if (kind == cutKinds - 1)
        return codes + QStringLiteral(" not in the vorel's list");
    return Seriousness(Seriousness::Level(2 - kind)).title() + u' ' + codes;
}

// "a", "a and b", "a, b and c".
QString listed(const QStringList &items)
{
    if (items.size() < 2)
        return items.join(QString());
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + items.constLast();
}

Cut cutOrder(const TroubleReport &r)
{
    Cut cut;
    for (qsizetype i = 0; i < r.codes.size(); ++i)
        cut.order.append(i);
    std::stable_sort(cut.order.begin(), cut.order.end(),
                     [&](qsizetype a, qsizetype b) { return cutKind(r.codes[a]) < cutKind(r.codes[b]); });
    cut.explained = r.codes.size();
    return cut;
}

QString cutNotice(const TroubleReport &r, const Cut &cut)
{
    QString text = QStringLiteral("This report is cut short: in full it would run past %1 pages. ")
                       .arg(ReportDocPaginator::pageLimit);
    if (cut.explained == r.codes.size())
        return text + QStringLiteral("It explains all of its %1 codes in full, after the page for your mechanic; every "
                                     "code is listed below.")
                          .arg(Text::grouped(r.codes.size()));

    std::array<qsizetype, cutKinds> total{}, explained{};
    for (qsizetype i = 0; i < cut.order.size(); ++i) {
        const int kind = cutKind(r.codes[cut.order[i]]);
        ++total[kind];
        if (i < cut.explained)
            ++explained[kind];
    }
    QStringList shown, left;
    for (int kind = 0; kind < cutKinds; ++kind) {
        if (explained[kind] == total[kind] && total[kind] > 0)
            shown.append((total[kind] == 1 ? QStringLiteral("the ") : QStringLiteral("all ") + Text::grouped(total[kind]) + u' ')
                         + kindCodes(kind, total[kind]));
        else if (explained[kind] > 0)
            shown.append(QStringLiteral("the first %1 (in the list below) of its %2 %3")
                             .arg(Text::grouped(explained[kind]), Text::grouped(total[kind]), kindCodes(kind, total[kind])));
        if (total[kind] > explained[kind])
            left.append(Text::grouped(total[kind] - explained[kind]) + u' ' + kindCodes(kind, total[kind] - explained[kind]));
    }
    text += QStringLiteral("It explains %1 of its %2 codes in full, most urgent first, after the page for your mechanic")
                .arg(Text::grouped(cut.explained), Text::grouped(r.codes.size()));
    if (!shown.isEmpty())
        text += QStringLiteral(": ") + listed(shown);
    return text + QStringLiteral(". Not explained: ") + listed(left)
        + QStringLiteral(". Every code is listed below.");
}

void vehicleBlock(ReportDoc &doc, const TroubleReport &r, const Cut *cut)
{
    doc.para(QStringLiteral("Vehicle"), Style::Label);
    QList<std::pair<QString, QString>> rows{
        {QStringLiteral("Year"), r.year ? QString::number(*r.year) : QStringLiteral("Not recorded")},
        {QStringLiteral("Make"), r.make.isEmpty() ? r.vehicle.title : r.make},
        {QStringLiteral("Model"), r.model.isEmpty() ? QStringLiteral("\u2014") : r.model},
        {QStringLiteral("Engine"), r.engine},
        {QStringLiteral("Mileage"), r.mileageText()},
    };
    if (!r.vehicle.nickname.isEmpty())
        rows.append({QStringLiteral("Nickname"), r.vehicle.nickname});
    if (!r.vehicle.vin.isEmpty())
        rows.append({QStringLiteral("VIN"), r.vehicle.vin});
    doc.keyValues(rows);
    doc.space(4);
    if (cut)
        doc.para(cutNotice(r, *cut), Style::Warning);

    if (r.codes.isEmpty()) {
        doc.para(QStringLiteral("No trouble codes saved for this vehicle."), Style::BodyBold);
        return;
    }
    QStringList codes;
    for (const TroubleReportCode &c : r.codes)
        codes.append(c.info ? c.code + QStringLiteral(" (") + c.info->level().title() + u')' : c.code);
    // A very long list goes in paragraphs of codesPerParagraph: the
    // typesetter's time grows faster than a paragraph's length.
    for (qsizetype i = 0; i < codes.size(); i += codesPerParagraph) {
        const QString part = codes.mid(i, codesPerParagraph).join(QStringLiteral(", "));
        const bool last = i + codesPerParagraph >= codes.size();
        doc.para((i == 0 ? QStringLiteral("Codes in this report: ") : QString()) + part + (last ? "" : ","),
                 Style::BodyBold);
    }
}

void codeSection(ReportDoc &doc, const TroubleReport &r, const TroubleReportCode &c, bool newPage = false)
{
    doc.h2(c.code + dash + c.title(), newPage);
    if (c.info) {
        const OBDCode &info = *c.info;
        doc.severity(info.level());
        doc.para(c.source + QStringLiteral(". ") + info.system + dot + info.family, Style::Small);
        if (!info.note.isEmpty())
            doc.para(QStringLiteral("Warning: ") + info.note, Style::Warning);
        if (!c.ownerNote.isEmpty())
            doc.para(QStringLiteral("Your note: ") + c.ownerNote, Style::Body);
        doc.h3(QStringLiteral("What it means"));
        doc.para(info.meaning, Style::Body);
        doc.h3(QStringLiteral("Likely causes (most likely first)"));
        doc.numbered(c.causesRanked());
        doc.h3(QStringLiteral("Symptoms you may notice"));
        doc.para(info.symptoms, Style::Body);
        doc.h3(QStringLiteral("What to check first"));
        doc.para(info.checkFirst, Style::Body);
    } else {
        doc.para(c.source + QStringLiteral(". This code isn't in the vorel's list. What its letters and digits tell you:"),
                 Style::Body);
        doc.bullets(c.structure.value_or(QStringList{QStringLiteral("Not a standard 5-character code.")}));
    }

    doc.h3(QStringLiteral("Typical fix and rough cost"));
    doc.para(c.estimate.fix, Style::Body);
    doc.para(QStringLiteral("Rough cost: ") + c.estimate.range(), Style::BodyBold);

    doc.h3(QStringLiteral("Related recalls for this ") + r.vehicleLine());
    if (r.info && r.year) {
        if (c.recalls.isEmpty()) {
            doc.para(QStringLiteral("None on file in the systems this code is about."), Style::Body);
        } else {
            QStringList lines;
            for (const Recall &recall : c.recalls)
                lines.append(recall.campaign + r.sampleMark(recall) + QStringLiteral(" (") + recall.reportDate.left(10) + u')'
                             + dash + TroubleReport::component(recall) + QStringLiteral(": ")
                             + TroubleReport::summaryExcerpt(recall));
            doc.bullets(lines);
        }
    } else {
        doc.para(QStringLiteral("This vehicle isn't linked to an vorel model, so recalls can't be matched. "
                                "Check open recalls by VIN at ")
                     + recallLookup + u'.',
                 Style::Body);
    }

    doc.h3(QStringLiteral("Related troubleshooting guides in the app"));
    QStringList guides;
    for (const Guide &g : c.guides)
        guides.append(g.title + QStringLiteral(" (Troubleshooting Guides)"));
    doc.bullets(guides);
}

QString serviceLine(const ServiceEntry &e)
{
    QString line = e.date;
    if (e.mileage)
        line += dot + Text::grouped(*e.mileage) + QStringLiteral(" mi");
    line += dash + e.title;
    if (!e.details.isEmpty())
        line += QStringLiteral(": ") + e.details;
    if (!e.cost.isEmpty())
        line += QStringLiteral(" (") + e.cost + u')';
    return line;
}

void ownerSections(ReportDoc &doc, const TroubleReport &r)
{
    doc.h2(QStringLiteral("Your notes"));
    doc.para(r.vehicle.notes.isEmpty() ? QStringLiteral("No notes.") : r.vehicle.notes, Style::Body);

    doc.h2(QStringLiteral("Service history"));
    if (r.service.isEmpty()) {
        doc.para(QStringLiteral("No service entries."), Style::Body);
    } else {
        QStringList lines;
        for (const ServiceEntry &e : r.service.first(std::min<qsizetype>(12, r.service.size())))
            lines.append(serviceLine(e));
        doc.bullets(lines);
    }

    if (r.allRecalls.isEmpty())
        return;
    doc.h2(QStringLiteral("All safety recalls on file for this model year (") + QString::number(r.allRecalls.size())
           + u')');
    QStringList lines;
    for (const Recall &recall : r.allRecalls)
        lines.append(recall.campaign + r.sampleMark(recall) + dash + recall.typeText() + QStringLiteral(": ")
                     + TroubleReport::component(recall) + QStringLiteral(" (") + recall.reportDate.left(10) + u')');
    doc.bullets(lines);
    doc.para(QStringLiteral("Recalls are listed by model year; ask a dealer or check ") + recallLookup
                 + QStringLiteral(" by VIN to see which ones are still open on this vehicle."),
             Style::Small);
}

void mechanicPage(ReportDoc &doc, const TroubleReport &r, qsizetype summaryCodes = -1)
{
    doc.h2(QStringLiteral("Take this to your mechanic"), true);
    doc.para(r.vehicleLine() + dot + longDate(r.made), Style::Label);
    doc.bullets(r.mechanicSummary(summaryCodes));
    doc.space(6);
    doc.para(RepairEstimate::costNote() + u' ' + RepairEstimate::diagnosticNote(), Style::Small);
    doc.para(QStringLiteral("Trouble-code texts: ") + FVInfo::draftLabel() + QStringLiteral(". ") + FVInfo::disclaimer()
                 + u' ' + r.provenance.dataCredit(),
             Style::Small);
}

// The document in its usual order, or, cut, with the owner's sections and the
// mechanic's page first and the code sections that fit behind them. `ends`
// gets the end of each code section.
void compose(ReportDoc &doc, const TroubleReport &r, const Cut *cut, QList<qsizetype> *ends = nullptr)
{
    vehicleBlock(doc, r, cut);
    if (!cut) {
        for (const TroubleReportCode &c : r.codes)
            codeSection(doc, r, c);
        ownerSections(doc, r);
        mechanicPage(doc, r);
        return;
    }
    ownerSections(doc, r);
    mechanicPage(doc, r, cutSummaryCodes);
    for (qsizetype i = 0; i < cut->explained; ++i) {
        codeSection(doc, r, r.codes[cut->order[i]], i == 0);
        if (ends)
            ends->append(doc.text().length());
    }
}

} // namespace

TroubleReport::Pdf TroubleReport::pdf() const
{
    QString subtitle = vehicle.nickname.isEmpty() ? QString() : vehicle.nickname + dot;
    subtitle += QStringLiteral("Made ") + longDateShortTime(made) + QStringLiteral(" with KVRN Fenwhistle Vorel ")
        + version;
    const ReportDoc::Titles titles{QStringLiteral("Trouble Code Report"), vehicleLine(), subtitle, footer(),
                                   QStringLiteral("Trouble Code Report") + dash + vehicleLine(), version};

    ReportDoc doc;
    compose(doc, *this, nullptr);
    if (!doc.tooLong()) {
        const ReportDoc::Layout whole = doc.layout();
        if (whole.complete())
            return {doc.render(whole, titles), false, codes.size()};
    }

    // Too long: as many code sections as fit behind the rest, whole.
    Cut cut = cutOrder(*this);
    for (;;) {
        ReportDoc shorter;
        QList<qsizetype> ends;
        compose(shorter, *this, &cut, &ends);
        const ReportDoc::Layout laid = shorter.layout();
        const qsizetype fit = std::count_if(ends.cbegin(), ends.cend(), [&](qsizetype end) { return end <= laid.end(); });
        if (laid.complete() || cut.explained == 0)
            return {shorter.render(laid, titles), true, cut.explained};
        cut.explained = std::min(fit, cut.explained - 1);
    }
}

QByteArray TroubleReport::pdfData() const
{
    return pdf().bytes;
}

bool TroubleReport::write(const QString &path, QString *error) const
{
    return writeFile(pdfData(), path, error);
}

bool TroubleReport::writeFile(const QByteArray &pdf, const QString &path, QString *error)
{
    if (pdf.isEmpty()) {
        if (error)
            *error = QStringLiteral("The PDF could not be made.");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
