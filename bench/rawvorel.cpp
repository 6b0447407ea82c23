#include "rawvorel.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <utility>

namespace {

// The statement texts, byte for byte as the program writes them.
const char *const kSql[] = {
    "SELECT vehicle_id, make, model, make_display, vehicle_types, first_year, last_year, first_year_vpic, "
    "last_year_vpic,\n       starts_at_vpic_floor, heavy, confidence, year_source, notes, image_id FROM vehicles "
    "WHERE vehicle_id = ?",
    "SELECT model_year, sources FROM vehicle_years WHERE vehicle_id = ? ORDER BY model_year",
    "SELECT image_id, file, make, model, license, license_url, author, credit, attribution_text, commons_page_url, "
    "generation_note FROM images ORDER BY make, model",
    "SELECT complaints, crashes, fires, injuries, deaths FROM complaint_totals WHERE vehicle_id = ? AND model_year = ?",
    "SELECT component_id, complaints, vehicle_year_complaints, share_of_vehicle, peer_share, share_index, z_score, "
    "notably_high\nFROM complaints WHERE vehicle_id = ? AND model_year = ? AND level = ? ORDER BY complaints DESC, "
    "component_id",
    "SELECT r.campaign, r.recall_type, r.manufacturer, r.components, r.report_date, r.potentially_affected, "
    "r.initiated_by, r.summary, r.consequence, r.remedy, r.notes, r.do_not_drive, r.park_outside FROM recall_links l "
    "JOIN recalls r ON r.campaign = l.campaign WHERE l.vehicle_id = ? AND l.model_year = ? ORDER BY r.report_date DESC",
    "SELECT i.action, i.manufacturer, i.components, i.opened, i.closed, i.recall_campaign, i.subject, i.summary\n"
    "FROM inv_links l JOIN investigations i ON i.action = l.action WHERE l.vehicle_id = ? AND l.model_year = ? "
    "ORDER BY i.opened DESC",
    "SELECT ids, count FROM tsb_links WHERE vehicle_id = ? AND model_year = ?",
    "SELECT variant, displacement_l, cylinders, transmission, drive, vehicle_class, fuel_type, engine_desc, turbo, "
    "supercharger, ev_motor\nFROM epa WHERE vehicle_id = ? AND model_year = ? ORDER BY displacement_l, variant",
    "SELECT * FROM obd_codes WHERE code = ?",
    "SELECT rowid, kind, ref, title, bm25(search, 0, 0, 0, 1.0) FROM search WHERE search MATCH ? ORDER BY "
    "bm25(search, 0, 0, 8.0, 1.0)",
    "SELECT COUNT(*) FROM vehicle_years WHERE vehicle_id = ? AND model_year = ?",
    "SELECT rowid, snippet(search, 3, '', '', '\xE2\x80\xA6', 14) FROM search WHERE search MATCH ? AND +rowid IN "
    "(SELECT value FROM json_each(?))",
};
static_assert(sizeof kSql / sizeof *kSql == 13);

[[noreturn]] void die(sqlite3 *db, const char *what)
{
    std::fprintf(stderr, "raw baseline: %s: %s\n", what, db ? sqlite3_errmsg(db) : "no database");
    std::exit(1);
}

bool isTokenByte(unsigned char c)
{
    // Bytes of non-ASCII characters count as letters.
    return c >= 0x80 || std::isalnum(c) || c == '-' || c == '/';
}

// Strict decimal integer, else 0.
std::int64_t decimal(const unsigned char *text, int bytes)
{
    if (!text || bytes <= 0 || bytes > 18)
        return 0;
    std::int64_t v = 0;
    for (int i = 0; i < bytes; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return 0;
        v = v * 10 + (text[i] - '0');
    }
    return v;
}

// A five-character OBD-II code: P, B, C or U and four hexadecimal digits.
bool isWellFormedCode(const std::string &key)
{
    return key.size() == 5 && std::strchr("PBCU", key[0]) && std::all_of(key.begin() + 1, key.end(), [](char c) {
               return std::isdigit(static_cast<unsigned char>(c)) || (c >= 'A' && c <= 'F');
           });
}

} // namespace

RawVorel::RawVorel(const std::string &path)
{
    char *uri = sqlite3_mprintf("file:%s?immutable=1", path.c_str());
    const int rc = sqlite3_open_v2(uri, &m_db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_FULLMUTEX, nullptr);
    sqlite3_free(uri);
    if (rc != SQLITE_OK)
        die(m_db, "open");
    for (int s = 0; s < StatementCount; ++s) {
        if (sqlite3_prepare_v2(m_db, kSql[s], -1, &m_statements[s], nullptr) != SQLITE_OK)
            die(m_db, kSql[s]);
    }
}

RawVorel::~RawVorel()
{
    for (sqlite3_stmt *s : m_statements)
        sqlite3_finalize(s);
    sqlite3_close_v2(m_db);
}

void RawVorel::touch(sqlite3_stmt *stmt, int column)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        m_sum += std::uint64_t(sqlite3_column_int64(stmt, column));
        break;
    case SQLITE_FLOAT:
        m_sum += std::uint64_t(sqlite3_column_double(stmt, column));
        break;
    case SQLITE_TEXT: {
        const unsigned char *text = sqlite3_column_text(stmt, column);
        const int n = sqlite3_column_bytes(stmt, column);
        for (int i = 0; i < n; ++i)
            m_sum += text[i];
        break;
    }
    case SQLITE_BLOB: {
        const auto *blob = static_cast<const unsigned char *>(sqlite3_column_blob(stmt, column));
        const int n = sqlite3_column_bytes(stmt, column);
        for (int i = 0; i < n; ++i)
            m_sum += blob[i];
        break;
    }
    default:
        ++m_sum;
        break;
    }
}

std::int64_t RawVorel::readAll(sqlite3_stmt *stmt)
{
    std::int64_t rows = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const int n = sqlite3_column_count(stmt);
        for (int i = 0; i < n; ++i)
            touch(stmt, i);
        ++rows;
    }
    return rows;
}

std::int64_t RawVorel::run(Statement s, std::int64_t a, std::int64_t b, std::int64_t c)
{
    sqlite3_stmt *stmt = m_statements[s];
    const int params = sqlite3_bind_parameter_count(stmt);
    if (params >= 1)
        sqlite3_bind_int64(stmt, 1, a);
    if (params >= 2)
        sqlite3_bind_int64(stmt, 2, b);
    if (params >= 3)
        sqlite3_bind_int64(stmt, 3, c);
    const std::int64_t rows = readAll(stmt);
    sqlite3_reset(stmt);
    return rows;
}

std::int64_t RawVorel::bulletins(const void *packed, int bytes)
{
    // The packed list: ascending ids as LEB128 differences.
    std::vector<std::int64_t> ids;
    const auto *p = static_cast<const unsigned char *>(packed);
    std::int64_t id = 0;
    std::uint64_t value = 0;
    int shift = 0;
    for (int i = 0; i < bytes; ++i) {
        if (shift < 64)
            value |= std::uint64_t(p[i] & 0x7F) << shift;
        if (p[i] & 0x80) {
            shift += 7;
            continue;
        }
        id += std::int64_t(value);
        ids.push_back(id);
        value = 0;
        shift = 0;
    }
    std::int64_t rows = 0;
    std::string sql;
    for (size_t start = 0; start < ids.size(); start += 400) {
        sql = "SELECT nhtsa_id, document_id, comm_date, added_date, comm_type, components, summary FROM tsbs WHERE "
              "nhtsa_id IN (";
        const size_t end = std::min(ids.size(), start + 400);
        for (size_t i = start; i < end; ++i) {
            if (i > start)
                sql += ',';
            sql += std::to_string(ids[i]);
        }
        sql += ')';
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), int(sql.size()), &stmt, nullptr) != SQLITE_OK)
            die(m_db, "bulletin batch");
        rows += readAll(stmt);
        sqlite3_finalize(stmt);
    }
    return rows;
}

std::int64_t RawVorel::page(std::int64_t vehicleID, std::int64_t year)
{
    std::int64_t rows = 0;
    bool picture = false;
    sqlite3_stmt *v = m_statements[Vehicle];
    sqlite3_bind_int64(v, 1, vehicleID);
    while (sqlite3_step(v) == SQLITE_ROW) {
        for (int i = 0; i < sqlite3_column_count(v); ++i)
            touch(v, i);
        picture = sqlite3_column_type(v, 14) != SQLITE_NULL;
        ++rows;
    }
    sqlite3_reset(v);
    rows += run(Years, vehicleID);
    if (picture)
        rows += run(Photos, 0);
    rows += run(Totals, vehicleID, year);
    rows += run(Areas, vehicleID, year, 1);
    rows += run(Recalls, vehicleID, year);
    rows += run(Investigations, vehicleID, year);

    sqlite3_stmt *links = m_statements[Links];
    sqlite3_bind_int64(links, 1, vehicleID);
    sqlite3_bind_int64(links, 2, year);
    while (sqlite3_step(links) == SQLITE_ROW) {
        touch(links, 1);
        rows += 1 + bulletins(sqlite3_column_blob(links, 0), sqlite3_column_bytes(links, 0));
    }
    sqlite3_reset(links);
    rows += run(Epa, vehicleID, year);
    return rows;
}

std::int64_t RawVorel::search(const std::string &query, std::int64_t limit)
{
    std::string q = query;
    while (!q.empty() && std::isspace(static_cast<unsigned char>(q.back())))
        q.pop_back();
    q.erase(0, std::min(q.size(), q.find_first_not_of(" \t\r\n")));
    if (q.empty())
        return 0;

    std::string key = q;
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    sqlite3_stmt *code = m_statements[Code];
    sqlite3_bind_text(code, 1, key.data(), int(key.size()), SQLITE_STATIC);
    std::int64_t rows = readAll(code);
    sqlite3_reset(code);

    // Terms: runs of letters, digits, "-" and "/", lower-cased, each a quoted
    // prefix; the first four-character year from 1970 to 2030 taken out.
    std::vector<std::string> tokens;
    std::string current;
    for (const char ch : q + ' ') {
        const auto c = static_cast<unsigned char>(ch);
        if (isTokenByte(c)) {
            current += char(std::tolower(c));
        } else if (!current.empty()) {
            tokens.push_back(current);
            current.clear();
        }
    }
    std::int64_t year = 0;
    for (auto it = tokens.begin(); it != tokens.end(); ++it) {
        const std::int64_t y = it->size() == 4 ? decimal(reinterpret_cast<const unsigned char *>(it->data()), 4) : 0;
        if (y >= 1970 && y <= 2030) {
            year = y;
            tokens.erase(it);
            break;
        }
    }
    if (tokens.empty())
        return rows;
    std::string match;
    for (const std::string &t : tokens)
        match += (match.empty() ? "\"" : " \"") + t + "\"*";

    // Each kind's best `limit` rows; recalls that match only through their
    // title's component words after the others; the first row of a kind
    // and reference kept.
    enum { VehicleKind, CodeKind, GuideKind, Obd1Kind, RecallKind, KindCount };
    static const char *const kinds[KindCount] = {"vehicle", "code", "guide", "obd1", "recall"};
    std::vector<std::int64_t> found[KindCount];
    std::vector<std::int64_t> componentOnly;
    std::set<std::pair<int, std::string>> seen;
    const bool first = rows > 0 || isWellFormedCode(key);
    if (first)
        seen.insert({CodeKind, key});
    sqlite3_stmt *fts = m_statements[Match];
    sqlite3_bind_text(fts, 1, match.data(), int(match.size()), SQLITE_STATIC);
    while (sqlite3_step(fts) == SQLITE_ROW) {
        for (int i = 0; i < 5; ++i)
            touch(fts, i);
        ++rows;
        const char *kindText = reinterpret_cast<const char *>(sqlite3_column_text(fts, 1));
        int kind = 0;
        while (kind < KindCount && (!kindText || std::strcmp(kindText, kinds[kind]) != 0))
            ++kind;
        if (kind == KindCount || std::int64_t(found[kind].size()) >= limit)
            continue;
        const std::string ref(reinterpret_cast<const char *>(sqlite3_column_text(fts, 2)), size_t(sqlite3_column_bytes(fts, 2)));
        if (year != 0 && kind == VehicleKind) {
            sqlite3_stmt *count = m_statements[YearCount];
            sqlite3_bind_int64(count, 1, decimal(sqlite3_column_text(fts, 2), sqlite3_column_bytes(fts, 2)));
            sqlite3_bind_int64(count, 2, year);
            std::int64_t n = 0;
            while (sqlite3_step(count) == SQLITE_ROW) {
                touch(count, 0);
                n = sqlite3_column_int64(count, 0);
                ++rows;
            }
            sqlite3_reset(count);
            if (n <= 0)
                continue;
        }
        bool demoted = false;
        if (kind == RecallKind && sqlite3_column_double(fts, 4) >= 0) {
            const std::string title(reinterpret_cast<const char *>(sqlite3_column_text(fts, 3)), size_t(sqlite3_column_bytes(fts, 3)));
            const size_t colon = title.find(": ");
            demoted = colon != std::string::npos;
            std::string word;
            for (const char ch : (demoted ? title.substr(colon + 2) : std::string()) + ' ') {
                const auto c = static_cast<unsigned char>(ch);
                if (isTokenByte(c)) {
                    word += char(std::tolower(c));
                    continue;
                }
                for (const std::string &t : tokens)
                    demoted = demoted && word.compare(0, t.size(), t) != 0;
                word.clear();
            }
        }
        if (demoted && std::int64_t(componentOnly.size()) >= limit)
            continue;
        if (!seen.insert({kind, ref}).second)
            continue;
        (demoted ? componentOnly : found[kind]).push_back(sqlite3_column_int64(fts, 0));
    }
    sqlite3_reset(fts);
    for (const std::int64_t id : componentOnly)
        if (std::int64_t(found[RecallKind].size()) < limit)
            found[RecallKind].push_back(id);

    // The places shared: each kind's best few, then by the order of kinds.
    std::int64_t sizes[KindCount], taken[KindCount], kindsWithHits = 0;
    for (int k = 0; k < KindCount; ++k) {
        sizes[k] = std::int64_t(found[k].size()) + (k == CodeKind && first ? 1 : 0);
        kindsWithHits += sizes[k] > 0;
    }
    const std::int64_t reserve = kindsWithHits ? std::min<std::int64_t>(5, limit / kindsWithHits) : 0;
    std::int64_t left = limit;
    for (int k = 0; k < KindCount; ++k) {
        taken[k] = std::min(sizes[k], reserve);
        left -= taken[k];
    }
    std::vector<std::int64_t> kept;
    for (int k = 0; k < KindCount; ++k) {
        const std::int64_t more = std::min(sizes[k] - taken[k], left);
        taken[k] += more;
        left -= more;
        const std::int64_t fromRows = taken[k] - (k == CodeKind && first && taken[k] > 0 ? 1 : 0);
        kept.insert(kept.end(), found[k].begin(), found[k].begin() + fromRows);
    }
    if (kept.empty())
        return rows;
    std::sort(kept.begin(), kept.end());
    std::string list = "[";
    for (const std::int64_t id : kept)
        list += (list.size() > 1 ? "," : "") + std::to_string(id);
    list += ']';
    sqlite3_stmt *snippets = m_statements[Snippets];
    sqlite3_bind_text(snippets, 1, match.data(), int(match.size()), SQLITE_STATIC);
    sqlite3_bind_text(snippets, 2, list.data(), int(list.size()), SQLITE_STATIC);
    rows += readAll(snippets);
    sqlite3_reset(snippets);
    return rows;
}
