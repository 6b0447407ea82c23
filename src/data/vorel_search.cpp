// Full-text search over the reference data.
#include "vorel.h"

#include "platform/text.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace {

bool isTokenChar(char32_t c)
{
    return QChar::isLetter(c) || QChar::isNumber(c) || c == U'-' || c == U'/';
}

bool isMark(char32_t c)
{
    const QChar::Category cat = QChar::category(c);
    return cat == QChar::Mark_NonSpacing || cat == QChar::Mark_SpacingCombining || cat == QChar::Mark_Enclosing;
}

// Maximal runs of letters, numbers, "-" and "/"; everything else separates.
// A combining mark stays with the token it follows, as it belongs to the same
// written character.
QStringList tokens(const QString &text)
{
    QStringList out;
    QString current;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        // One code point; a lone surrogate reads as U+FFFD, which separates.
        qsizetype units = 1;
        char32_t c = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            units = 2;
        } else if (text[i].isSurrogate()) {
            c = QChar::ReplacementCharacter;
        }
        if (isTokenChar(c) || (!current.isEmpty() && isMark(c))) {
            current.append(text.constData() + i, units);
        } else if (!current.isEmpty()) {
            out.append(current);
            current.clear();
        }
        i += units;
    }
    if (!current.isEmpty())
        out.append(current);
    return out;
}

// The first token of exactly four characters that reads as a year from 1970
// to 2030 is taken out of the list.
std::optional<qint64> takeYear(QStringList &tokens)
{
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (tokens[i].size() != 4)
            continue;
        const std::optional<qint64> v = Text::parseInt64(tokens[i]);
        if (v && *v >= 1970 && *v <= 2030) {
            tokens.removeAt(i);
            return v;
        }
    }
    return std::nullopt;
}

// Whether a recall title's vehicles, the part after "<campaign> <component>: ",
// hold a word that one of the query's tokens begins.
bool titleVehiclesMatch(const QString &title, const QStringList &queryTokens)
{
    const qsizetype colon = title.indexOf(QLatin1String(": "));
    if (colon < 0)
        return true; // no component part to tell apart
    for (const QString &word : tokens(title.mid(colon + 2).toLower())) {
        for (const QString &t : queryTokens) {
            if (word.startsWith(t))
                return true;
        }
    }
    return false;
}

// Every kind with hits keeps at least this many of its best within the limit.
constexpr qint64 keptPerKind = 5;

} // namespace

QList<SearchHit> Vorel::search(const QString &query, qint64 limit) const
{
    // SQLite reads a negative LIMIT as no limit: a limit below 1 gives nothing.
    if (limit < 1)
        return {};
    const QString q = Text::trimBlanksAndLineBreaks(query);
    if (q.isEmpty())
        return {};

    // The code-first hit.
    std::optional<SearchHit> first = codeHit(q);
    if (!first && isWellFormedCode(q)) {
        const QString ref = q.toUpper();
        first = SearchHit{SearchKind::Code, ref, ref + QStringLiteral(" (not in our list)"),
                          QStringLiteral("See how to read this code's structure."), std::nullopt};
    }

    QStringList toks = tokens(q.toLower());
    const std::optional<qint64> year = takeYear(toks);
    QStringList terms;
    for (QString t : std::as_const(toks)) {
        // A token never holds a double quote, so the quoting below cannot break.
        t.remove(u'"');
        if (t.isEmpty())
            continue;
        const QString term = u'"' + t + QStringLiteral("\"*");
        // A repeated term matches the same rows; the full-text query's time
        // grows with the square of its terms, so the rest past the cap are left out.
        if (!terms.contains(term))
            terms.append(term);
        if (terms.size() == maxSearchTerms)
            break;
    }
    if (terms.isEmpty())
        return first ? QList<SearchHit>{std::move(*first)} : QList<SearchHit>();

    // Within one search every vehicle hit carries the same year, so two hits
    // share an id exactly when they share kind and reference: the first of
    // them is kept.
    QHash<QString, unsigned> kindsOfRef;
    const auto isNew = [&kindsOfRef](const SearchHit &hit) {
        unsigned &kinds = kindsOfRef[hit.ref];
        const unsigned bit = 1u << unsigned(hit.kind.value());
        if (kinds & bit)
            return false;
        kinds |= bit;
        return true;
    };
    if (first)
        isNew(*first);

    // Each kind draws its own best `limit` candidates from every matching
    // row in bm25 order, so that a kind with many strong rows (recalls)
    // cannot push another out before the cut. A recall that matches only
    // through the component words of its title goes after the recalls that
    // match in their summary or vehicles.
    constexpr size_t kindCount = SearchKind::allCases().size();
    struct Candidate
    {
        qint64 rowid;
        SearchHit hit;
    };
    std::array<QList<Candidate>, kindCount> found;
    QList<Candidate> componentOnly;
    const auto full = [&](SearchKind kind) {
        return found[size_t(kind.value())].size() >= limit;
    };
    const QString match = terms.join(u' ');
    try {
        db->each(QStringLiteral("SELECT rowid, kind, ref, title, bm25(search, 0, 0, 0, 1.0) FROM search WHERE search "
                                "MATCH ? ORDER BY bm25(search, 0, 0, 8.0, 1.0)"),
                 {match}, [&](const SQLRow &r) {
                     const std::optional<SearchKind> kind = SearchKind::fromRawValue(r.str(1));
                     if (!kind || full(*kind))
                         return;
                     SearchHit hit{*kind, r.str(2), r.str(3), QString(), std::nullopt};
                     if (year && *kind == SearchKind::Vehicle) {
                         const qint64 vid = Text::parseInt64(hit.ref).value_or(0);
                         if (db->scalar(QStringLiteral("SELECT COUNT(*) FROM vehicle_years WHERE vehicle_id = ? AND "
                                                       "model_year = ?"),
                                        {vid, *year})
                             <= 0)
                             return;
                         hit.year = year;
                     }
                     const bool demoted = *kind == SearchKind::Recall && r.real(4) >= 0
                                          && !titleVehiclesMatch(hit.title, toks);
                     if (demoted && componentOnly.size() >= limit)
                         return;
                     if (!isNew(hit))
                         return;
                     (demoted ? componentOnly : found[size_t(kind->value())]).append({r.integer(0), std::move(hit)});
                 });
    } catch (const SQLError &) {
        for (QList<Candidate> &list : found)
            list.clear();
        componentOnly.clear();
    }
    QList<Candidate> &recalls = found[size_t(SearchKind::Recall)];
    recalls.append(componentOnly.mid(0, limit - recalls.size()));

    // The places are shared: every kind with hits keeps its best few, and the
    // other places go by the order of kinds. Within a kind the code-first hit
    // leads, then bm25 order.
    std::array<qsizetype, kindCount> sizes{};
    qsizetype kinds = 0;
    for (size_t k = 0; k < kindCount; ++k) {
        sizes[k] = found[k].size() + (k == size_t(SearchKind::Code) && first ? 1 : 0);
        kinds += sizes[k] > 0 ? 1 : 0;
    }
    const qint64 reserve = kinds > 0 ? std::min<qint64>(keptPerKind, limit / kinds) : 0;
    qint64 left = limit;
    std::array<qsizetype, kindCount> best{}, more{};
    for (size_t k = 0; k < kindCount; ++k) {
        best[k] = qsizetype(std::min<qint64>(sizes[k], reserve));
        left -= best[k];
    }
    for (size_t k = 0; k < kindCount; ++k) {
        more[k] = qsizetype(std::min<qint64>(sizes[k] - best[k], left));
        left -= more[k];
    }

    // The best few of every kind lead, in the order of kinds, so that the
    // first screen names each kind found; the rest follow in the same order.
    QList<SearchHit> hits;
    QHash<qint64, qsizetype> atRow; // full-text row -> position in hits
    std::array<qsizetype, kindCount> next{};
    for (const auto *counts : {&best, &more}) {
        for (size_t k = 0; k < kindCount; ++k) {
            for (qsizetype n = (*counts)[k]; n > 0; --n) {
                if (k == size_t(SearchKind::Code) && first) {
                    hits.append(std::move(*first));
                    first.reset();
                    continue;
                }
                Candidate &c = found[k][next[k]++];
                atRow.insert(c.rowid, hits.size());
                hits.append(std::move(c.hit));
            }
        }
    }

    // The snippets of the hits kept, cut from the body without match markers.
    if (!atRow.isEmpty()) {
        QStringList rowids;
        for (auto it = atRow.cbegin(); it != atRow.cend(); ++it)
            rowids << QString::number(it.key());
        std::sort(rowids.begin(), rowids.end(), [](const QString &a, const QString &b) {
            return a.size() != b.size() ? a.size() < b.size() : a < b;
        });
        try {
            db->each(QStringLiteral("SELECT rowid, snippet(search, 3, '', '', '\u2026', 14) FROM search WHERE search "
                                    "MATCH ? AND +rowid IN (SELECT value FROM json_each(?))"),
                     {match, u'[' + rowids.join(u',') + u']'}, [&](const SQLRow &r) {
                         const auto it = atRow.constFind(r.integer(0));
                         if (it != atRow.cend())
                             hits[*it].snippet = r.str(1);
                     });
        } catch (const SQLError &) {
            // The hits stand without their snippets.
        }
    }
    return hits;
}
