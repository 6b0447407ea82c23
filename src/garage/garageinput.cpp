#include "garageinput.h"

#include "platform/text.h"

#include <QRegularExpression>

std::optional<QString> GarageInput::groupedDigits(QStringView text)
{
    static const QRegularExpression form(QStringLiteral("^(?:[0-9]+|[0-9]{1,3}(?:,[0-9]{3})+)$"));
    if (!form.match(text).hasMatch())
        return std::nullopt;
    QString digits = text.toString();
    digits.remove(QLatin1Char(','));
    return digits;
}

GarageInput::Mileage GarageInput::mileage(const QString &typed)
{
    QString t = Text::trimBlanks(typed);
    if (t.isEmpty())
        return {std::nullopt, QString()};
    static const QRegularExpression unit(QStringLiteral("\\s*mi$"), QRegularExpression::CaseInsensitiveOption);
    t.remove(unit);
    const QString range = QStringLiteral("Mileage must be a whole number from 0 to 2,000,000.");
    const std::optional<QString> digits = groupedDigits(t);
    if (!digits)
        return {std::nullopt, range};
    // Leading zeros aside, more than seven digits is out of range.
    const QString significant = QString(*digits).remove(QRegularExpression(QStringLiteral("^0+(?=.)")));
    const std::optional<qint64> value = significant.size() <= 7 ? Text::parseInt64(significant) : std::nullopt;
    if (!value || *value > maxMileage)
        return {std::nullopt, range};
    return {value, QString()};
}

QString GarageInput::mileageProblem(std::optional<qint64> miles)
{
    if (miles && (*miles < 0 || *miles > maxMileage))
        return QStringLiteral("Mileage must be a whole number from 0 to 2,000,000.");
    return QString();
}

QString GarageInput::dateProblem(const QString &date, const QDate &today)
{
    if (date.isEmpty())
        return QString();
    static const QRegularExpression form(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}$"));
    const QDate d = form.match(date).hasMatch() ? QDate::fromString(date, QStringLiteral("yyyy-MM-dd")) : QDate();
    if (!d.isValid())
        return QStringLiteral("Date must be a real date written as YYYY-MM-DD.");
    if (d > today)
        return QStringLiteral("Date can't be in the future.");
    return QString();
}

QString GarageInput::costProblem(const QString &cost)
{
    QString t = Text::trimBlanks(cost);
    if (t.isEmpty())
        return QString();
    const QString problem = QStringLiteral("Cost must be an amount from 0 to 1,000,000 with at most two decimals.");
    if (t.startsWith(QLatin1Char('$')))
        t = Text::trimBlanks(t.mid(1));
    const qsizetype dot = t.indexOf(QLatin1Char('.'));
    const QStringView whole = dot < 0 ? QStringView(t) : QStringView(t).left(dot);
    const QStringView cents = dot < 0 ? QStringView() : QStringView(t).mid(dot + 1);
    static const QRegularExpression centsForm(QStringLiteral("^[0-9]{1,2}$"));
    if (dot >= 0 && !centsForm.match(cents).hasMatch())
        return problem;
    // ".50" is fifty cents.
    const std::optional<QString> digits = whole.isEmpty() && dot >= 0 ? QStringLiteral("0") : groupedDigits(whole);
    if (!digits || digits->size() > 12)
        return problem;
    const std::optional<qint64> dollars = Text::parseInt64(*digits);
    const qint64 hundredths = cents.isEmpty() ? 0 : cents.toString().leftJustified(2, QLatin1Char('0')).toLongLong();
    if (!dollars || *dollars * 100 + hundredths > maxCostCents)
        return problem;
    return QString();
}

QString GarageInput::nicknameProblem(const QString &nickname)
{
    return nickname.size() > maxNickname ? QStringLiteral("Nickname can be at most 100 characters.") : QString();
}

QString GarageInput::vinProblem(const QString &vin)
{
    // As the VIN check cleans it: blanks and "-" are dropped. The count stops early.
    qsizetype kept = 0;
    for (const QChar c : vin) {
        if (!c.isSpace() && c != u'-' && ++kept > maxVIN)
            return QStringLiteral("A VIN has at most 17 characters, not counting blanks and dashes.");
    }
    return QString();
}

QString GarageInput::notesProblem(const QString &notes)
{
    return notes.size() > maxNotes ? QStringLiteral("Notes can be at most 20,000 characters.") : QString();
}

QString GarageInput::detailsProblem(const QString &details)
{
    return details.size() > maxNotes ? QStringLiteral("Details can be at most 20,000 characters.") : QString();
}

QString GarageInput::vehicleProblem(const GarageVehicle &vehicle, const GarageVehicle *stored)
{
    const auto changed = [&](auto field) { return !stored || vehicle.*field != stored->*field; };
    const QString problems[] = {
        changed(&GarageVehicle::nickname) ? nicknameProblem(vehicle.nickname) : QString(),
        changed(&GarageVehicle::vin) ? vinProblem(vehicle.vin) : QString(),
        changed(&GarageVehicle::mileage) ? mileageProblem(vehicle.mileage) : QString(),
        changed(&GarageVehicle::notes) ? notesProblem(vehicle.notes) : QString()};
    for (const QString &problem : problems) {
        if (!problem.isEmpty())
            return problem;
    }
    return QString();
}

QString GarageInput::entryProblem(const ServiceEntry &entry, const QDate &today)
{
    for (const QString &problem : {dateProblem(entry.date, today), mileageProblem(entry.mileage), costProblem(entry.cost),
                                   detailsProblem(entry.details)}) {
        if (!problem.isEmpty())
            return problem;
    }
    return QString();
}
