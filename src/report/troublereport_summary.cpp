// The paragraphs of the page the owner hands to a mechanic.

#include "troublereport.h"

#include "platform/text.h"

#include <algorithm>

namespace {

QString vehicleParagraph(const TroubleReport &report)
{
    QString text = QStringLiteral("Vehicle: ") + report.vehicleLine();
    if (!report.vehicle.nickname.isEmpty())
        text += QStringLiteral(" (") + report.vehicle.nickname + u')';
    // The fixed "Not recorded" reads in lower case inside the sentence, and
    // says which field it stands for.
    const QString none = TroubleReport::notRecorded();
    const bool noEngine = report.engine.startsWith(none);
    text += QStringLiteral(", engine ") + (noEngine ? none.toLower() + report.engine.mid(none.size()) : report.engine);
    text += QStringLiteral(", ")
        + (report.vehicle.mileage ? report.mileageText() : QStringLiteral("mileage ") + none.toLower());
    if (!report.vehicle.vin.isEmpty())
        text += QStringLiteral(", VIN ") + report.vehicle.vin;
    return text + u'.';
}

// The text before the first ". ", with its full stop; the whole text without
// one, given a full stop when it ends without one, so that the next sentence
// does not run on.
QString firstSentence(const QString &text)
{
    const qsizetype stop = text.indexOf(QLatin1String(". "));
    if (stop >= 0)
        return text.left(stop + 1);
    const QString end = Text::trimBlanksAndLineBreaks(text);
    if (end.isEmpty() || end.endsWith(u'.') || end.endsWith(u'!') || end.endsWith(u'?'))
        return text;
    return end + u'.';
}

QString codeParagraph(const TroubleReportCode &code)
{
    QString text = code.code + u' ' + code.title();
    if (code.info)
        text += QStringLiteral(" \u2014 ") + code.info->level().title().toUpper();
    text += QStringLiteral(". Please check first: ");
    text += code.info ? firstSentence(code.info->checkFirst)
                      : QStringLiteral("Read the maker's definition with a factory-level scan tool.");
    return text + QStringLiteral(" Typical fix: rough cost ") + code.estimate.range() + u'.';
}

std::optional<Seriousness> mostSerious(const QList<TroubleReportCode> &codes)
{
    std::optional<Seriousness> worst;
    for (const TroubleReportCode &code : codes) {
        if (!code.info)
            continue;
        const Seriousness level = code.info->level();
        if (!worst || level.level() > worst->level())
            worst = level;
    }
    return worst;
}

std::optional<QString> recallParagraph(const TroubleReport &report)
{
    QStringList campaigns;
    for (const TroubleReportCode &code : report.codes)
        for (const Recall &recall : code.recalls)
            if (!campaigns.contains(recall.campaign))
                campaigns.append(recall.campaign);
    if (!campaigns.isEmpty()) {
        std::sort(campaigns.begin(), campaigns.end());
        bool sample = false;
        for (const QString &c : std::as_const(campaigns))
            sample = sample || report.provenance.sample(Provenance::Kind::Recalls, c);
        return QStringLiteral("Please check whether these recalls are done: ") + campaigns.join(QStringLiteral(", "))
            + (sample ? QStringLiteral(" (sample records in this app's data; check the real ones by VIN).") : QStringLiteral("."));
    }
    if (report.allRecalls.isEmpty())
        return std::nullopt;
    return QStringLiteral("No recall on file matches these codes' systems, but this model year has ")
        + QString::number(report.allRecalls.size()) + u' ' + Text::plural(report.allRecalls.size(), QStringLiteral("recall"))
        + QStringLiteral(" \u2014 please check that they are done.");
}

} // namespace

QStringList TroubleReport::mechanicSummary(qsizetype codeLimit) const
{
    QStringList paragraphs{vehicleParagraph(*this)};

    if (codes.isEmpty())
        paragraphs.append(QStringLiteral("No trouble codes are saved for this vehicle yet."));
    QList<TroubleReportCode> byUrgency = codes;
    std::stable_sort(byUrgency.begin(), byUrgency.end(),
                     [](const TroubleReportCode &a, const TroubleReportCode &b) { return a.urgency() < b.urgency(); });
    for (const TroubleReportCode &code : byUrgency) {
        if (codeLimit >= 0 && paragraphs.size() > codeLimit) {
            const qsizetype others = byUrgency.size() - codeLimit;
            paragraphs.append(QStringLiteral("And %1 more %2, listed at the start of this report.")
                                  .arg(Text::grouped(others), Text::plural(others, QStringLiteral("code"))));
            break;
        }
        paragraphs.append(codeParagraph(code));
    }

    if (const auto worst = mostSerious(codes))
        paragraphs.append(QStringLiteral("Most urgent: ") + worst->title() + QStringLiteral(" \u2014 ")
                          + worst->explanation());

    if (const auto recalls = recallParagraph(*this))
        paragraphs.append(*recalls);

    if (!service.isEmpty()) {
        QStringList recent;
        for (const ServiceEntry &entry : service.mid(0, 3))
            recent.append(entry.date + u' ' + entry.title);
        // A last title that ends in its own full stop gets no second one.
        const QString work = recent.join(QStringLiteral("; "));
        paragraphs.append(QStringLiteral("Recent work already done: ") + work + (work.endsWith(u'.') ? "" : "."));
    }

    paragraphs.append(QStringLiteral("Please confirm the cause before replacing parts, and give me a written estimate "
                                     "first."));
    return paragraphs;
}
