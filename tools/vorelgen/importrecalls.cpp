// NHTSA's recall file (FLAT_RCL, one line per campaign, make, model, model
// year and component) and its investigation file (FLAT_INV, one line per
// investigation, make, model, model year and component).

#include "agencyimport.h"
#include "flatfile.h"
#include "vehiclematch.h"

#include <QSet>

namespace {

const QStringList kRecallFields = {
    "RECORD_ID", "CAMPNO", "MAKETXT", "MODELTXT", "YEARTXT", "MFGCAMPNO", "COMPNAME", "MFGNAME", "BGMAN", "ENDMAN",
    "RCLTYPECD", "POTAFF", "ODATE", "INFLUENCED_BY", "MFGTXT", "RCDATE", "DATEA", "RPNO", "FMVSS", "DESC_DEFECT",
    "CONEQUENCE_DEFECT", "CORRECTIVE_ACTION", "NOTES", "RCL_CMPT_ID", "MFR_COMP_NAME", "MFR_COMP_DESC", "MFR_COMP_PTNO",
    "DO_NOT_DRIVE", "PARK_OUTSIDE"};
// NHTSA's recall file as its field descriptions give it: without the notes
// (before 2007), with them, with the component id (2008), with the maker's
// part fields (2020), with the do-not-drive and park-outside advice (2025).
const QList<int> kRecallLayouts = {22, 23, 24, 27, 29};

const QStringList kInvFields = {"NHTSA ACTION NUMBER", "MAKE", "MODEL", "YEAR", "COMPNAME", "MFR_NAME",
                                "ODATE", "CDATE", "CAMPNO", "SUBJECT", "SUMMARY"};
const QList<int> kInvLayouts = {10, 11}; // the summary came in 2008

bool yes(const QString &flag)
{
    const QString f = flag.toUpper();
    return f == QLatin1String("Y") || f == QLatin1String("YES") || f == QLatin1String("TRUE") || f == QLatin1String("1");
}

void addComponent(QString &list, const QString &component)
{
    if (component.isEmpty() || list.split(QLatin1Char('|')).contains(component))
        return;
    if (!list.isEmpty())
        list += QLatin1Char('|');
    list += component;
}

void fillIn(QString &field, const QString &value)
{
    if (field.isEmpty())
        field = value;
}

// The row kept for `key`, made with that key the first time it is seen (a
// record spans several lines of the file, one per vehicle and component).
template <typename Row>
Row &rowFor(QHash<QString, qsizetype> &index, QList<Row> &rows, const QString &key, QString Row::*keyField)
{
    qsizetype at = index.value(key, -1);
    if (at < 0) {
        at = rows.size();
        index.insert(key, at);
        rows.append(Row{});
        rows.last().*keyField = key;
    }
    return rows[at];
}

// Links a record to a vehicle-year once.
void link(QList<Link> &links, qint64 vid, int year)
{
    for (const Link &l : links)
        if (l.vid == vid && l.year == year)
            return;
    links.append({vid, year});
}

} // namespace

void AgencyImport::importRecalls(Model &m)
{
    VehicleMatcher matcher(m, m_aliases);
    QHash<QString, qsizetype> index;
    QList<RecallRow> rows;
    for (const QString &path : m_files.value(Recalls)) {
        FlatFile f(path, kRecallFields, kRecallLayouts);
        Tally &t = begin(path);
        while (f.next()) {
            ++t.records;
            const QString campaign = f.text(1);
            if (campaign.isEmpty())
                f.fail(1, QStringLiteral("empty campaign number"));
            const QString reported = f.date(15);
            const QString added = f.date(16);
            if (added > t.newest)
                t.newest = added;
            RecallRow &r = rowFor(index, rows, campaign, &RecallRow::campaign);
            fillIn(r.type, f.text(10));
            fillIn(r.manufacturer, f.text(7));
            fillIn(r.reportDate, reported);
            if (!r.affected)
                r.affected = f.integer(11);
            fillIn(r.initiatedBy, f.text(13));
            fillIn(r.summary, f.text(19));
            fillIn(r.consequence, f.text(20));
            fillIn(r.remedy, f.text(21));
            fillIn(r.notes, f.text(22));
            r.doNotDrive = r.doNotDrive || (f.has(27) && yes(f.text(27)));
            r.parkOutside = r.parkOutside || (f.has(28) && yes(f.text(28)));
            addComponent(r.components, f.text(6));
            for (const Vehicle *v : vehicles(matcher, t, f, 2, 3, 4))
                link(r.links, v->id, *f.year(4));
        }
    }
    m.recalls = rows;
    m.imported.recalls = true;
    credit(m, Recalls, QStringLiteral("NHTSA safety recall file"));
}

void AgencyImport::importInvestigations(Model &m)
{
    VehicleMatcher matcher(m, m_aliases);
    QHash<QString, qsizetype> index;
    QList<InvRow> rows;
    for (const QString &path : m_files.value(Investigations)) {
        FlatFile f(path, kInvFields, kInvLayouts);
        Tally &t = begin(path);
        while (f.next()) {
            ++t.records;
            const QString action = f.text(0);
            if (action.isEmpty())
                f.fail(0, QStringLiteral("empty investigation number"));
            const QString opened = f.date(6);
            const QString closed = f.date(7);
            if (qMax(opened, closed) > t.newest)
                t.newest = qMax(opened, closed);
            InvRow &r = rowFor(index, rows, action, &InvRow::action);
            fillIn(r.manufacturer, f.text(5));
            fillIn(r.opened, opened);
            fillIn(r.closed, closed);
            fillIn(r.recallCampaign, f.text(8));
            fillIn(r.subject, f.text(9));
            fillIn(r.summary, f.text(10));
            addComponent(r.components, f.text(4));
            for (const Vehicle *v : vehicles(matcher, t, f, 1, 2, 3))
                link(r.links, v->id, *f.year(3));
        }
    }
    m.investigations = rows;
    m.imported.investigations = true;
    credit(m, Investigations, QStringLiteral("NHTSA defect investigation file"));
}
