#include "nhtsatext.h"

#include "platform/text.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <future>
#include <mutex>
#include <utility>

namespace NHTSAText {

const QSet<QString> &keepUpper()
{
    static const QSet<QString> words{
        "AMC", "GMC", "BMW", "MG", "ABS", "EVAP", "LATCH", "TPMS", "OBD", "AC", "A/C", "EGR",
        "CV", "4WD", "AWD", "PCM", "ECM", "TCM", "BCM", "SRS", "EV", "DEF", "FMVSS",
    };
    return words;
}

const QSet<QString> &acronyms()
{
    static const QSet<QString> words{
        "DTC", "DTCS", "PCM", "ECM", "TCM", "BCM", "TECM", "ABS", "SRS", "EVAP", "EGR", "COP",
        "WDS", "IDS", "OBD", "MIL", "A/C", "AC", "HVAC", "TPMS", "VIN", "VSS", "TPS", "MAF",
        "MAP", "ECT", "IAT", "IAC", "CKP", "CMP", "EPS", "ESP", "LED", "HID", "USB", "GPS",
        "SYNC", "FFV", "CNG", "LPG", "EV", "HEV", "PHEV", "AWD", "4WD", "4X4", "FWD", "RWD",
        "TSB", "OTA", "SUV", "NHTSA", "FMVSS", "CVT", "DSG", "DEF", "DPF", "SCR", "GM", "VW",
        "BMW", "LT", "LX", "EX", "SE", "RSS", "FSS", "PATS", "SKIM", "ETC", "TTY",
    };
    return words;
}

namespace {

// Upper-cases the character (one code point) at index i.
QString upperAt(const QString &word, qsizetype i)
{
    const qsizetype len = (word[i].isHighSurrogate() && i + 1 < word.size()) ? 2 : 1;
    return word.left(i) + word.mid(i, len).toUpper() + word.mid(i + len);
}

// LATCH is the child-seat anchor system, but a hood's, door's or trunk's
// latch where the name speaks of those and not of child seats.
QString childSeatLatch(const QString &name, QString readable)
{
    static const QRegularExpression part(QStringLiteral("LATCHES|HOOD|DOOR|TRUNK|LIFTGATE|TAILGATE|HATCH"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression child(QStringLiteral("CHILD|TETHER|ANCHOR"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression latch(QStringLiteral("\\bLATCH\\b"));
    if (!part.match(name).hasMatch() || child.match(name).hasMatch())
        return readable;
    readable.replace(latch, QStringLiteral("latch"));
    return readable.startsWith(QLatin1String("latch")) ? upperAt(readable, 0) : readable;
}

QString levelPiece(const QString &s, bool first)
{
    const QStringList pieces = s.split(u':', Qt::SkipEmptyParts);
    if (pieces.isEmpty())
        return pretty(s);
    return childSeatLatch(s, pretty(first ? pieces.first() : pieces.last()));
}

// Removes trailing markers such as " *TR" (an asterisk, one to three capital
// letters, any white space around) until none is left at the end.
QString stripMarkers(QString text)
{
    for (;;) {
        qsizetype end = text.size();
        while (end > 0 && text[end - 1].isSpace())
            --end;
        qsizetype letters = 0;
        while (end - letters > 0 && letters < 4) {
            const char16_t c = text[end - letters - 1].unicode();
            if (c < u'A' || c > u'Z')
                break;
            ++letters;
        }
        if (letters < 1 || letters > 3 || end - letters < 1 || text[end - letters - 1] != u'*')
            return text;
        qsizetype start = end - letters - 1;
        while (start > 0 && text[start - 1].isSpace())
            --start;
        text.truncate(start);
    }
}

bool isCoreChar(char32_t c)
{
    return QChar::isLetterOrNumber(c) || c == u'/';
}

// The code point that starts at index i, and how many UTF-16 units it takes.
char32_t codePointAt(const QString &s, qsizetype i, qsizetype *units)
{
    if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
        *units = 2;
        return QChar::surrogateToUcs4(s[i], s[i + 1]);
    }
    *units = 1;
    return s[i].unicode();
}

// The code point that ends just before index end, and its UTF-16 units.
char32_t codePointBefore(const QString &s, qsizetype end, qsizetype *units)
{
    if (s[end - 1].isLowSurrogate() && end >= 2 && s[end - 2].isHighSurrogate()) {
        *units = 2;
        return QChar::surrogateToUcs4(s[end - 2], s[end - 1]);
    }
    *units = 1;
    return s[end - 1].unicode();
}

// Characters as the reader sees them (grapheme clusters), not UTF-16 units.
qsizetype characterCount(const QString &s)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s);
    qsizetype count = 0;
    while (finder.toNextBoundary() != -1)
        ++count;
    return count;
}

// Where a word's core starts and ends, without the punctuation around it.
QPair<qsizetype, qsizetype> coreSpan(const QString &w)
{
    qsizetype units = 1;
    qsizetype begin = 0;
    qsizetype end = w.size();
    while (begin < end && !isCoreChar(codePointAt(w, begin, &units)))
        begin += units;
    while (end > begin && !isCoreChar(codePointBefore(w, end, &units)))
        end -= units;
    return {begin, end};
}

// A word without the punctuation around it.
QString coreOf(const QString &w)
{
    const auto [begin, end] = coreSpan(w);
    return w.mid(begin, end - begin);
}

// Proper names by their first upper-case word: each a list of word cores as
// spelled, longest first.
using NameIndex = QHash<QString, QList<QStringList>>;
struct ProperNames
{
    NameIndex always; // manufacturers, makes followed by a model, listed names
    NameIndex models; // models on their own, only where a model is expected
    NameIndex dated;  // names kept only before a number (months)
};

// The names in use, the ones still being built on a worker thread, or the
// reader that will build them, not yet started.
struct NameState
{
    std::mutex mutex;
    std::function<ProperNameLists()> waiting;
    std::future<ProperNames> pending;
    ProperNames names;
};

NameState &nameState()
{
    static NameState state;
    return state;
}

// Takes up names still being built; the caller holds the mutex.
void finishPending(NameState &state)
{
    if (state.pending.valid())
        state.names = state.pending.get();
}

ProperNames buildNames(const QList<QPair<QString, QString>> &makeModels, const QStringList &manufacturers, const QStringList &listed);

ProperNames readNames(const std::function<ProperNameLists()> &read)
{
    const ProperNameLists lists = read();
    return buildNames(lists.makeModels, lists.manufacturers, lists.names);
}

const ProperNames &properNames()
{
    NameState &state = nameState();
    const std::lock_guard lock(state.mutex);
    finishPending(state);
    // Needed before the worker was started: read here.
    if (const auto read = std::exchange(state.waiting, nullptr))
        state.names = readNames(read);
    return state.names;
}

// A name that is all capitals (GMC) reads the same in an upper-case text, so
// only a model's is kept (the CL after "2001"): anywhere else the plain
// capitals rule keeps or lowers it.
void addName(NameIndex &index, const QString &name, bool capitals = false)
{
    QStringList words;
    for (const QString &w : name.split(u' ', Qt::SkipEmptyParts))
        words << coreOf(w);
    if (words.isEmpty() || words.first().isEmpty() || (!capitals && name.toUpper() == name))
        return;
    QList<QStringList> &list = index[words.first().toUpper()];
    if (list.contains(words))
        return;
    list.append(words);
    std::stable_sort(list.begin(), list.end(), [](const QStringList &a, const QStringList &b) { return a.size() > b.size(); });
}

// A model year or a run of them: "2002", "2000-2003".
bool isYearToken(const QString &core)
{
    static const QRegularExpression year(QStringLiteral("^(19|20)[0-9]{2}(-(19|20)[0-9]{2})?$"));
    return year.match(core).hasMatch();
}

// The length of the longest name of `index` that the upper-case cores from
// `at` on spell, with the name; 0 when none does.
qsizetype matchName(const NameIndex &index, const QStringList &cores, qsizetype at, QStringList *name)
{
    const auto it = index.constFind(cores[at]);
    if (it == index.constEnd())
        return 0;
    for (const QStringList &words : *it) {
        if (at + words.size() > cores.size())
            continue;
        bool same = true;
        for (qsizetype k = 0; k < words.size() && same; ++k)
            same = cores[at + k] == words[k].toUpper();
        if (same) {
            *name = words;
            return words.size();
        }
    }
    return 0;
}

ProperNames buildNames(const QList<QPair<QString, QString>> &makeModels, const QStringList &manufacturers, const QStringList &listed)
{
    ProperNames names;
    for (const QString &m : manufacturers)
        addName(names.always, m);
    for (const QString &n : listed) {
        if (n.endsWith(QLatin1String(" #")))
            addName(names.dated, n.chopped(2));
        else
            addName(names.always, n);
    }
    for (const auto &[make, model] : makeModels) {
        addName(names.always, make + u' ' + model);
        addName(names.models, model, true);
    }
    return names;
}

} // namespace

void setProperNames(const QList<QPair<QString, QString>> &makeModels, const QStringList &manufacturers, const QStringList &listed)
{
    ProperNames names = buildNames(makeModels, manufacturers, listed);
    NameState &state = nameState();
    const std::lock_guard lock(state.mutex);
    finishPending(state); // names set now replace any still being read
    state.waiting = nullptr;
    state.names = std::move(names);
}

void setProperNamesLater(std::function<ProperNameLists()> read)
{
    NameState &state = nameState();
    const std::lock_guard lock(state.mutex);
    finishPending(state);
    state.waiting = std::move(read);
}

void startReadingProperNames()
{
    NameState &state = nameState();
    const std::lock_guard lock(state.mutex);
    if (auto read = std::exchange(state.waiting, nullptr))
        state.pending = std::async(std::launch::async, [read = std::move(read)] { return readNames(read); });
}

namespace {

// A word with digits in an upper-case text: the pieces between hyphens and
// slashes that hold a digit keep their case (4R100, 2.0L, V6, 4X4), the
// others read as words ("4-SPEED" is "4-speed", V-6 stays); `coreEnd` ends what is not
// trailing punctuation.
QString digitWord(const QString &w, qsizetype coreEnd, bool capitalize)
{
    QString out;
    qsizetype start = 0;
    for (qsizetype j = 0; j <= coreEnd; ++j) {
        if (j < coreEnd && w[j] != u'-' && w[j] != u'/')
            continue;
        const QString piece = w.mid(start, j - start);
        bool digit = false;
        for (const char32_t c : piece.toUcs4())
            digit = digit || QChar::isDigit(c);
        QString core = piece;
        while (!core.isEmpty() && !core.back().isLetterOrNumber())
            core.chop(1);
        while (!core.isEmpty() && !core.front().isLetterOrNumber())
            core.remove(0, 1);
        // A letter or two beside a number is a name too (V-6, I-4).
        if (digit || acronyms().contains(core) || (core.size() <= 2 && w.size() > piece.size())) {
            out += piece;
        } else {
            QString lower = piece.toLower();
            if (capitalize && start == 0 && !lower.isEmpty())
                lower = upperAt(lower, 0);
            out += lower;
        }
        if (j < coreEnd)
            out += w[j];
        start = j + 1;
    }
    return out + w.mid(coreEnd).toLower();
}

// "12V", "12V/24V/48V": volt ratings keep their capital V.
bool isVoltRating(const QString &upper)
{
    static const QRegularExpression volts(QStringLiteral("^\\d+V(/\\d+V)*$"));
    return volts.match(upper).hasMatch();
}

} // namespace

QString pretty(const QString &s)
{
    const QStringList words = s.toLower().split(u' ', Qt::SkipEmptyParts);
    QStringList out;
    out.reserve(words.size());
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString &word = words[i];
        const QString upper = word.toUpper();
        if (keepUpper().contains(upper) || isVoltRating(upper))
            out << upper;
        else if (word.startsWith(u'(') && characterCount(word) <= 6)
            out << upper;
        else if (i == 0)
            out << upperAt(word, 0);
        else
            out << word;
    }
    return childSeatLatch(s, out.join(u' '));
}

QString group(const QString &s)
{
    return levelPiece(s, true);
}

QString display(const QString &s)
{
    return levelPiece(s, false);
}

QString sentenceCase(const QString &s)
{
    const QString text = stripMarkers(Text::trimBlanksAndLineBreaks(s));
    if (text.toUpper() != text)
        return text;
    if (characterCount(text) < 4)
        return text;

    const QStringList words = text.split(u' ', Qt::KeepEmptyParts);
    // Each word's core: the word without the punctuation around it.
    QList<QPair<qsizetype, qsizetype>> spans;
    QStringList cores;
    for (const QString &w : words) {
        auto [begin, end] = coreSpan(w);
        // A possessive ("ADMINISTRATION'S") is the name and a lower-case "'s".
        if (end - begin > 2 && w[end - 1] == u'S' && (w[end - 2] == u'\'' || w[end - 2] == u'\u2019'))
            end -= 2;
        spans.append({begin, end});
        cores << w.mid(begin, end - begin);
    }
    const ProperNames &names = properNames();
    QStringList out;
    out.reserve(words.size());
    bool capitalizeNext = true;
    bool modelExpected = false; // after a model year, or after a model and "and" or ","
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString &w = words[i];
        QStringList name;
        qsizetype n = cores[i].isEmpty() ? 0 : matchName(names.always, cores, i, &name);
        if (!n && modelExpected && !cores[i].isEmpty())
            n = matchName(names.models, cores, i, &name);
        if (!n && !cores[i].isEmpty() && i + 1 < words.size() && !cores[i + 1].isEmpty() && cores[i + 1][0].isDigit())
            n = matchName(names.dated, cores, i, &name);
        if (n) {
            for (qsizetype k = 0; k < n; ++k) {
                const QString &word = words[i + k];
                const auto [begin, end] = spans[i + k];
                out << word.left(begin) + name[k] + word.mid(end).toLower();
            }
            i += n - 1;
            capitalizeNext = false;
            const QString &last = words[i];
            modelExpected = last.endsWith(u',');
            if (!last.isEmpty() && (last.back() == u'.' || last.back() == u'!' || last.back() == u'?'))
                capitalizeNext = true;
            // "... Navigator and Expedition": a model may follow "and".
            if (!capitalizeNext && !modelExpected && i + 1 < words.size() && words[i + 1] == QLatin1String("AND")) {
                out << QStringLiteral("and");
                ++i;
                modelExpected = true;
            }
            continue;
        }
        modelExpected = isYearToken(cores[i]);

        bool hasDigit = false;
        bool hasLetterOrNumber = false;
        qsizetype units = 1;
        for (qsizetype j = 0; j < w.size(); j += units) {
            const char32_t c = codePointAt(w, j, &units);
            hasDigit = hasDigit || QChar::isDigit(c);
            hasLetterOrNumber = hasLetterOrNumber || QChar::isLetterOrNumber(c);
        }

        if (hasDigit) {
            out << digitWord(w, spans[i].second, capitalizeNext);
        } else if (acronyms().contains(cores[i])) {
            out << w.left(spans[i].second) + w.mid(spans[i].second).toLower();
        } else {
            QString lower = w.toLower();
            if (capitalizeNext) {
                for (qsizetype j = 0; j < lower.size(); j += units) {
                    if (QChar::isLetter(codePointAt(lower, j, &units))) {
                        lower = upperAt(lower, j);
                        break;
                    }
                }
            }
            out << lower;
        }

        if (hasLetterOrNumber)
            capitalizeNext = false;
        if (!w.isEmpty() && (w.back() == u'.' || w.back() == u'!' || w.back() == u'?'))
            capitalizeNext = true;
    }
    return out.join(u' ');
}

} // namespace NHTSAText
