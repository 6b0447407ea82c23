#include "reportlinks.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>

namespace {

struct KeywordRule
{
    std::initializer_list<const char *> words;
    std::initializer_list<const char *> keywords;
};

// First rule whose word the lower-cased family contains wins.
const KeywordRule keywordRules[] = {
    {{"hybrid"}, {"HYBRID", "ELECTRICAL", "FUEL/PROPULSION"}},
    {{"evap", "fuel", "injector"}, {"FUEL"}},
    {{"catalyst", "oxygen", "secondary air", "egr", "diesel", "glow plug"}, {"ENGINE", "EXHAUST", "EMISSION"}},
    {{"electronic throttle", "cruise"}, {"VEHICLE SPEED CONTROL", "ENGINE"}},
    {{"transmission", "vehicle speed"}, {"POWER TRAIN"}},
    {{"charging", "starting", "engine computer", "network", "security", "a/c"}, {"ELECTRICAL"}},
    {{"abs", "brake"}, {"SERVICE BRAKES", "ELECTRONIC STABILITY", "BRAKE LIGHTS", "TRACTION CONTROL"}},
    {{"airbag"}, {"AIR BAGS", "SEAT BELTS"}},
    {{"steering"}, {"STEERING"}},
};

struct GuideRule
{
    const char *word;
    std::initializer_list<const char *> ids;
};

// Every rule whose word the lower-cased family contains adds its ids.
const GuideRule guideRules[] = {
    {"misfire", {"misfire"}},
    {"ignition coil", {"misfire"}},
    {"injector", {"misfire"}},
    {"fuel trim", {"rough-idle"}},
    {"air metering", {"rough-idle"}},
    {"idle", {"rough-idle", "stalls"}},
    {"intake", {"rough-idle"}},
    {"electronic throttle", {"rough-idle", "stalls"}},
    {"cooling", {"overheating"}},
    {"coolant", {"overheating"}},
    {"transmission", {"trans"}},
    {"charging", {"charging"}},
    {"starting", {"no-crank"}},
    {"crank / cam", {"crank-no-start", "stalls"}},
    {"fuel pump", {"crank-no-start"}},
    {"fuel pressure", {"crank-no-start"}},
    {"network", {"computers", "wiring"}},
    {"engine computer", {"computers", "wiring"}},
    {"sensor:", {"wiring"}},
    {"oxygen", {"wiring"}},
    {"abs", {"brakes"}},
    {"brake", {"brakes"}},
    {"steering", {"steering"}},
    {"a/c", {"ac"}},
    {"catalyst", {"smells", "smoke"}},
    {"evap", {"smells"}},
    {"diesel", {"smoke", "crank-no-start"}},
    {"glow plug", {"crank-no-start"}},
    {"oil pressure", {"warning-lights", "noises"}},
    {"airbag", {"warning-lights"}},
    {"timing", {"noises"}},
    {"knock", {"noises"}},
    {"turbo", {"smoke", "noises"}},
    {"security", {"crank-no-start"}},
    {"hybrid", {"warning-lights"}},
    {"variable valve", {"rough-idle", "noises"}},
};

static_assert(std::size(keywordRules) == 9);
static_assert(std::size(guideRules) == 36);

// Whether the lower-cased family holds the word. "abs" names the brake
// system only as a word of its own, never inside "absolute" (a manifold
// absolute pressure sensor is no brake part).
bool familyHas(const QString &family, const char *word)
{
    const QLatin1String w(word);
    if (w != QLatin1String("abs"))
        return family.contains(w);
    for (qsizetype at = family.indexOf(w); at >= 0; at = family.indexOf(w, at + 1)) {
        const qsizetype end = at + w.size();
        const bool startsWord = at == 0 || !family.at(at - 1).isLetterOrNumber();
        const bool endsWord = end == family.size() || !family.at(end).isLetterOrNumber();
        if (startsWord && endsWord)
            return true;
    }
    return false;
}

QStringList texts(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *s : list)
        out.append(QString::fromLatin1(s));
    return out;
}

} // namespace

namespace ReportLinks {

QStringList recallKeywords(const std::optional<OBDCode> &info)
{
    if (!info)
        return {};
    const QString family = info->family.toLower();
    for (const KeywordRule &rule : keywordRules)
        for (const char *word : rule.words)
            if (familyHas(family, word))
                return texts(rule.keywords);
    if (info->system == QLatin1String("Network"))
        return {QStringLiteral("ELECTRICAL")};
    return {QStringLiteral("ENGINE")};
}

QList<Recall> recalls(const QList<Recall> &all, const std::optional<OBDCode> &info)
{
    const QStringList keywords = recallKeywords(info);
    QList<Recall> out;
    if (keywords.isEmpty())
        return out;
    for (const Recall &recall : all) {
        const bool related = std::any_of(recall.components.cbegin(), recall.components.cend(), [&](const QString &c) {
            const QString upper = c.toUpper();
            return std::any_of(keywords.cbegin(), keywords.cend(),
                               [&](const QString &k) { return upper.contains(k); });
        });
        if (related)
            out.append(recall);
    }
    return out;
}

QStringList guideIDs(const std::optional<OBDCode> &info, const QString &code)
{
    const bool powertrainOrNetwork = code.isEmpty() || code.front() == u'P' || code.front() == u'U';
    QStringList ids{powertrainOrNetwork ? QStringLiteral("check-engine") : QStringLiteral("warning-lights")};
    if (!info) {
        ids.append(QStringLiteral("computers"));
        return ids;
    }
    const QString family = info->family.toLower();
    for (const GuideRule &rule : guideRules) {
        if (!familyHas(family, rule.word))
            continue;
        for (const char *id : rule.ids) {
            const QString text = QString::fromLatin1(id);
            if (!ids.contains(text))
                ids.append(text);
        }
    }
    return ids;
}

} // namespace ReportLinks
