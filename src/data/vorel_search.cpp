// Full-text search over the reference data.
#include "vorel.h"

#include "platform/text.h"

#include <QHash>
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
    // The code-first hit is noted when the first row comes.
    bool firstNoted = !first;

    // limit * 3 rows, kept within the 64-bit range for absurd limits.
    const qint64 fetch = limit > std::numeric_limits<qint64>::max() / 3 ? std::numeric_limits<qint64>::max() : limit * 3;
    // The full-text hits by kind, each in bm25 order, made as the rows are
    // read; a statement that fails part-way yields none, as when it fails at once.
    std::array<QList<SearchHit>, SearchKind::allCases().size()> found;
    try {
        db->each(QStringLiteral("SELECT kind, ref, title, snippet(search, 3, '', '', '\u2026', 14) FROM search WHERE "
                                "search MATCH ? ORDER BY bm25(search, 0, 0, 8.0, 1.0) LIMIT ?"),
                 {terms.join(u' '), fetch}, [&](const SQLRow &r) {
                     const std::optional<SearchKind> kind = SearchKind::fromRawValue(r.str(0));
                     if (!kind)
                         return;
                     SearchHit hit{*kind, r.str(1), r.str(2), r.str(3), std::nullopt};
                     if (year && *kind == SearchKind::Vehicle) {
                         const qint64 vid = Text::parseInt64(hit.ref).value_or(0);
                         if (db->scalar(QStringLiteral("SELECT COUNT(*) FROM vehicle_years WHERE vehicle_id = ? AND "
                                                       "model_year = ?"),
                                        {vid, *year})
                             <= 0)
                             return;
                         hit.year = year;
                     }
                     if (!std::exchange(firstNoted, true))
                         isNew(*first);
                     if (isNew(hit))
                         found[size_t(kind->value())].append(std::move(hit));
                 });
    } catch (const SQLError &) {
        for (QList<SearchHit> &list : found)
            list.clear();
    }

    // Kinds in their fixed order; within a kind the code-first hit and then bm25 order.
    QList<SearchHit> hits;
    const auto take = [&hits, limit](SearchHit &&hit) {
        if (hits.size() < limit)
            hits.append(std::move(hit));
    };
    for (const SearchKind kind : SearchKind::allCases()) {
        if (kind == SearchKind::Code && first)
            take(std::move(*first));
        for (SearchHit &hit : found[size_t(kind.value())])
            take(std::move(hit));
    }
    return hits;
}
