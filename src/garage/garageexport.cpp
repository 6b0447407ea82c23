#include "garageexport.h"

#include "ofvehicle.h"

#include "platform/maker.h"
#include "platform/text.h"

#include <QLocale>
#include <QStringList>
#include <QTextBoundaryFinder>

namespace {

const QString kStyle = QStringLiteral(
    "body{font-family:-apple-system,Helvetica,sans-serif;margin:32px;color:#111}h1{margin:0}"
    "h2{margin-top:28px;border-bottom:2px solid #333}table{border-collapse:collapse;width:100%}"
    "td,th{border:1px solid #bbb;padding:5px 8px;text-align:left;font-size:13px}"
    ".foot{margin-top:30px;font-size:11px;color:#555}");

QString field(const QString &text)
{
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

// The garage's texts as the report prints them: control characters replaced;
// notes and details keep their line feeds and tabs.
QString one(const QString &text)
{
    return Text::printable(text, false);
}

QString multi(const QString &text)
{
    return Text::printable(text, true);
}

QString number(const std::optional<qint64> &value)
{
    return value ? QString::number(*value) : QString();
}

QString line(const QStringList &fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString &f : fields)
        quoted.append(field(f));
    return quoted.join(u',');
}

// The first `count` user-perceived characters (the whole text when shorter).
QString leadingCharacters(const QString &text, int count)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (int k = 0; k < count; ++k) {
        if (finder.toNextBoundary() == -1)
            return text;
    }
    return text.left(finder.position());
}

// Long date and short time, written the same way whatever the process locale.
QString exportedText(const QDateTime &when)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QDateTime local = when.toLocalTime();
    return english.toString(local.date(), QStringLiteral("MMMM d, yyyy")) + QStringLiteral(" at ")
        + english.toString(local.time(), QStringLiteral("h:mm AP"));
}

} // namespace

namespace GarageExport {

QString escape(const QString &text)
{
    QString out = text;
    out.replace(u'&', QStringLiteral("&amp;"));
    out.replace(u'<', QStringLiteral("&lt;"));
    out.replace(u'>', QStringLiteral("&gt;"));
    return out;
}

QString csv(const QList<GarageVehicle> &vehicles, const QList<ServiceEntry> &entries, const QList<GarageCode> &codes)
{
    QStringList lines{QStringLiteral("record,vehicle,year,nickname,vin,engine,mileage,date,service,details,cost,notes")};
    for (const GarageVehicle &v : vehicles) {
        const QString year = number(v.year);
        const QString title = one(v.title), nickname = one(v.nickname), vin = one(v.vin);
        lines.append(line({QStringLiteral("vehicle"), title, year, nickname, vin, one(v.engine), number(v.mileage), {}, {},
                           {}, {}, multi(v.notes)}));
        for (const GarageCode &c : ofVehicle(codes, v.id)) {
            lines.append(line({QStringLiteral("trouble code"), title, year, nickname, vin, {}, {},
                               one(leadingCharacters(c.added, 10)), one(c.code), multi(c.note), {}, {}}));
        }
        for (const ServiceEntry &e : ofVehicle(entries, v.id)) {
            lines.append(line({QStringLiteral("service"), title, year, nickname, vin, {}, number(e.mileage), one(e.date),
                               one(e.title), multi(e.details), one(e.cost), {}}));
        }
    }
    return lines.join(u'\n') + u'\n';
}

QString html(const QList<GarageVehicle> &vehicles, const QList<ServiceEntry> &entries, const QList<GarageCode> &codes,
             const QDateTime &exported)
{
    QString page = QStringLiteral("<!doctype html><html><head><meta charset=\"utf-8\"><title>My Garage</title><style>")
        + kStyle + QStringLiteral("</style></head><body>");
    page += QStringLiteral("<h1>My Garage</h1><p>Exported ") + escape(exportedText(exported))
        + QStringLiteral(" from KVRN Fenwhistle Vorel</p>");
    for (const GarageVehicle &v : vehicles) {
        page += QStringLiteral("<h2>") + escape(one(v.title));
        if (!v.nickname.isEmpty())
            page += QStringLiteral(" \u2014 ") + escape(one(v.nickname));
        page += QStringLiteral("</h2><p>");
        if (!v.vin.isEmpty())
            page += QStringLiteral("VIN: ") + escape(one(v.vin)) + QStringLiteral("<br>");
        if (!v.engine.isEmpty())
            page += QStringLiteral("Engine: ") + escape(one(v.engine)) + QStringLiteral("<br>");
        if (v.mileage)
            page += QStringLiteral("Mileage: ") + Text::grouped(*v.mileage) + QStringLiteral("<br>");
        QStringList saved;
        for (const GarageCode &c : ofVehicle(codes, v.id))
            saved.append(one(c.code));
        if (!saved.isEmpty())
            page += QStringLiteral("Trouble codes: ") + escape(saved.join(QStringLiteral(", "))) + QStringLiteral("<br>");
        if (!v.notes.isEmpty())
            page += QStringLiteral("Notes: ") + escape(multi(v.notes));
        page += QStringLiteral("</p>");
        const QList<ServiceEntry> log = ofVehicle(entries, v.id);
        if (log.isEmpty())
            continue;
        page += QStringLiteral(
            "<table><tr><th>Date</th><th>Mileage</th><th>Service</th><th>Details</th><th>Cost</th></tr>");
        for (const ServiceEntry &e : log) {
            page += QStringLiteral("<tr><td>") + escape(one(e.date)) + QStringLiteral("</td><td>")
                + (e.mileage ? Text::grouped(*e.mileage) : QString()) + QStringLiteral("</td><td>") + escape(one(e.title))
                + QStringLiteral("</td><td>") + escape(multi(e.details)) + QStringLiteral("</td><td>") + escape(one(e.cost))
                + QStringLiteral("</td></tr>");
        }
        page += QStringLiteral("</table>");
    }
    page += QStringLiteral("<p class=\"foot\">KVRN Fenwhistle Vorel by Brackenfold \u2014 ") + escape(Maker::website())
        + QStringLiteral("</p></body></html>");
    return page;
}

} // namespace GarageExport
