#include "recallrules.h"

#include "data/nhtsatext.h"
#include "data/tsb.h"
#include "look/fvpalette.h"
#include "platform/text.h"

#include <QMap>
#include <algorithm>

QString RecallRules::heading()
{
    return QStringLiteral("Safety recalls");
}

QString RecallRules::emptyText()
{
    return QStringLiteral("No recalls on file for this model year.");
}

QList<RecallRules::TagInfo> RecallRules::tags(const Recall &recall)
{
    QList<TagInfo> out;
    const QColor grey = QColor::fromRgbF(0.4f, 0.4f, 0.4f);
    if (recall.type == QLatin1String("E"))
        out.append({QStringLiteral("Equipment"), grey});
    else if (recall.type != QLatin1String("V"))
        out.append({recall.typeText(), grey});
    if (recall.doNotDrive)
        out.append({QStringLiteral("DO NOT DRIVE"), FVPalette::red()});
    if (recall.parkOutside)
        out.append({QStringLiteral("PARK OUTSIDE"), FVPalette::amber()});
    return out;
}

QString RecallRules::component(const Recall &recall)
{
    return NHTSAText::display(recall.components.value(0));
}

QString RecallRules::notFound(const QString &campaign)
{
    return QStringLiteral("Recall ") + campaign + QStringLiteral(" is not in this vorel.");
}

QString RecallRules::title(const QString &campaign)
{
    return QStringLiteral("Recall ") + campaign;
}

QString RecallRules::facts(const Recall &recall)
{
    const QString dot = QStringLiteral(" \u00b7 ");
    QString line = recall.typeText() + dot + recall.manufacturer + dot + QStringLiteral("reported ") + recall.reportDate;
    if (recall.affected)
        line += dot + QStringLiteral("about ") + Text::grouped(*recall.affected) + QStringLiteral(" vehicles");
    return line;
}

QString RecallRules::components(const Recall &recall)
{
    QStringList lines;
    for (QString c : recall.components)
        lines << NHTSAText::pretty(c.replace(u':', QStringLiteral(" \u203a ")));
    return lines.join(u'\n');
}

QString RecallRules::body(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("\u2014") : text;
}

QString RecallRules::coveredHeading(qint64 rows)
{
    return QStringLiteral("Vehicles in this vorel covered (") + QString::number(rows) + u')';
}

QString RecallRules::coveredText(const QList<RecallVehicle> &rows)
{
    // QMap orders the names by code point, upper case before lower case.
    QMap<QString, QStringList> years;
    for (const RecallVehicle &r : rows)
        years[r.name].append(QString::number(r.year));
    QStringList lines;
    for (auto it = years.begin(); it != years.end() && lines.size() < maxCoveredNames; ++it) {
        QStringList list = it.value();
        std::sort(list.begin(), list.end());
        lines << it.key() + QStringLiteral(": ") + list.join(QStringLiteral(", "));
    }
    return lines.join(u'\n');
}

QString RecallRules::note(bool sample)
{
    const QUrl url = lookupURL();
    return (sample ? QStringLiteral("Sample record: NHTSA holds no record of this recall. ")
                   : QStringLiteral("Recall data from NHTSA. "))
           + QStringLiteral("Always confirm open recalls for a specific VIN at ") + url.host() + url.path() + u'.';
}

bool RecallRules::anySample(const Provenance &provenance, const QList<Recall> &recalls)
{
    if (recalls.isEmpty())
        return provenance.generated(Provenance::Kind::Recalls);
    for (const Recall &r : recalls)
        if (provenance.sample(Provenance::Kind::Recalls, r.campaign))
            return true;
    return false;
}

QString RecallRules::lookupButton()
{
    return QStringLiteral("Open NHTSA recall lookup");
}

QUrl RecallRules::lookupURL()
{
    return TSB::fallbackURL();
}
