#include "pickercontent.h"

#include "app/appmodel.h"
#include "data/vorel.h"

PickerContent PickerContent::read(const Vorel *data, std::optional<qint64> year, const std::optional<QString> &make,
                                  bool includeHeavy)
{
    PickerContent c;
    if (!data)
        return c;
    c.years = data->years();
    if (year)
        c.makes = data->makes(*year, includeHeavy);
    else
        c.makeHint = makeHintText();
    if (year && make)
        c.models = data->models(*year, *make, includeHeavy);
    if (!make)
        c.modelHint = modelHintText();
    c.earlyNote = earlyYearNote(year);
    return c;
}

PickerContent PickerContent::read(const AppModel &model)
{
    return read(model.data(), model.year(), model.make(), model.includeHeavy());
}

std::optional<QString> PickerContent::earlyYearNote(std::optional<qint64> year)
{
    if (!year || *year >= 1981)
        return std::nullopt;
    return QStringLiteral("Before 1981 there is no official model catalog: models listed for ") + QString::number(*year)
        + QStringLiteral(" come only from NHTSA recall, complaint and bulletin records, so they are marked low "
                         "confidence.");
}

QStringList PickerContent::modelTags(const ModelChoice &choice)
{
    QStringList tags;
    if (choice.sources == QStringLiteral("o"))
        tags << QStringLiteral("low confidence");
    if (choice.heavy)
        tags << QStringLiteral("heavy / commercial");
    return tags;
}

QString PickerContent::makeHintText()
{
    return QStringLiteral("Choose a year first.");
}

QString PickerContent::modelHintText()
{
    return QStringLiteral("Choose a make.");
}
