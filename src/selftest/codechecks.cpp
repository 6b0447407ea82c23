#include "codechecks.h"

#include "platform/fvinfo.h"
#include "labelform.h"
#include "platform/text.h"

#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace CodeChecks {

namespace {

bool thin(const OBDCode &c)
{
    for (const QString *field : {&c.title, &c.meaning, &c.causes, &c.symptoms, &c.checkFirst, &c.seriousness}) {
        if (Text::trimBlanks(*field).size() <= 2)
            return true;
    }
    return false;
}

bool levelIs(const Vorel &vorel, const QString &code, Seriousness level)
{
    const std::optional<OBDCode> found = vorel.code(code);
    return found && found->level() == level;
}

} // namespace

bool run(SelfTestContext &ctx)
{
    FVTestRun &run = ctx.run;
    const Vorel &vorel = *ctx.vorel;
    const QList<OBDCode> codes = vorel.allCodes();

    run.check(codes.size() >= 600, QStringLiteral("%1 generic codes (target about 600 or more)").arg(codes.size()));

    static const QRegularExpression sae(QRegularExpression::anchoredPattern(QStringLiteral("[PBCU][0-9][0-9A-F]{3}")));
    QStringList bad;
    QStringList missing;
    for (const OBDCode &c : codes) {
        if (!sae.match(c.code).hasMatch())
            bad.append(c.code);
        if (thin(c))
            missing.append(c.code);
    }
    run.check(bad.isEmpty(), QStringLiteral("every code has the SAE structure (letter + 4 characters) ") +
                                 LabelForm::firstOf(bad, 3));
    run.check(missing.isEmpty(),
              QStringLiteral("every code has meaning, causes, symptoms, what to check first and seriousness (%1)")
                  .arg(LabelForm::firstOf(missing, 3)));

    run.check(std::ranges::all_of(codes,
                                  [](const OBDCode &c) { return Seriousness::fromRawValue(c.seriousness).has_value(); }),
              QStringLiteral("seriousness is always drive / drive soon / stop"));

    run.check(FVInfo::draftLabel() == QStringLiteral("Draft — under technician review") &&
                  std::ranges::all_of(codes, [](const OBDCode &c) { return c.reviewStatus == FVInfo::draftLabel(); }),
              QStringLiteral("every code carries the label \"Draft — under technician review\""));

    QMap<QString, qint64> groups;
    for (const OBDCode &c : codes)
        ++groups[c.code.left(2)];
    QStringList counts;
    for (auto it = groups.cbegin(); it != groups.cend(); ++it)
        counts.append(it.key() + u':' + QString::number(it.value()));
    run.check(groups.value(QStringLiteral("P0")) >= 401 && groups.value(QStringLiteral("P2")) >= 51 &&
                  groups.value(QStringLiteral("U0")) >= 21 && groups.value(QStringLiteral("B0")) >= 1 &&
                  groups.value(QStringLiteral("C0")) >= 1,
              QStringLiteral("P0, P2, U, B and C codes present ") + LabelForm::list(counts));

    QSet<QString> distinct;
    for (const OBDCode &c : codes)
        distinct.insert(c.code);
    run.check(distinct.size() == codes.size(), QStringLiteral("no duplicate codes"));

    run.check(levelIs(vorel, QStringLiteral("p0300"), Seriousness::Stop) &&
                  levelIs(vorel, QStringLiteral("P0457"), Seriousness::Drive) &&
                  levelIs(vorel, QStringLiteral("P0171"), Seriousness::Soon),
              QStringLiteral("seriousness examples: P0300 stop, P0457 drive, P0171 drive soon"));

    const std::optional<QStringList> structure = vorel.explainStructure(QStringLiteral("P1234"));
    run.check(structure && structure->join(QString()).contains(QStringLiteral("vehicle maker")) &&
                  !vorel.code(QStringLiteral("P1234")),
              QStringLiteral("a maker-specific code (P1234) gets a structure explanation, not a made-up meaning"));

    run.check(!vorel.explainStructure(QStringLiteral("hello")), QStringLiteral("nonsense isn't treated as a code"));
    return true;
}

} // namespace CodeChecks
