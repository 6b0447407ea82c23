#include "vehiclematch.h"

#include <algorithm>

VehicleMatcher::VehicleMatcher(const Model &m, const NameAliases &aliases) : m_aliases(aliases)
{
    for (const Vehicle &v : m.vehicles) {
        const QString make = key(v.make) + QLatin1Char('|');
        m_lines[make + key(v.model)].append(&v);
        if (!v.catalogName.isEmpty() && key(v.catalogName) != key(v.model))
            m_lines[make + key(v.catalogName)].append(&v);
    }
}

QString VehicleMatcher::key(const QString &name)
{
    QString out;
    out.reserve(name.size());
    for (const QChar c : name)
        if (c.isLetterOrNumber())
            out += c.toUpper();
    return out;
}

QList<const Vehicle *> VehicleMatcher::find(const QString &make, const QString &model, int year) const
{
    const QString makeKey = key(make);
    const QString prefix = makeKey + QLatin1Char('|');
    const auto having = [&](const QString &modelKey) {
        QList<const Vehicle *> out;
        for (const Vehicle *v : m_lines.value(prefix + modelKey))
            if (v->hasYear(year) && !out.contains(v))
                out.append(v);
        return out;
    };
    QStringList words = model.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    while (!words.isEmpty()) {
        const QString modelKey = key(words.join(QString()));
        if (const NameAliases::Target *alias = m_aliases.find(makeKey, modelKey, year)) {
            QList<const Vehicle *> out;
            for (const QString &line : alias->lines)
                for (const Vehicle *v : having(key(line)))
                    if (!out.contains(v))
                        out.append(v);
            return out;
        }
        QList<const Vehicle *> found = having(modelKey);
        if (!found.isEmpty())
            return found.mid(0, 1);
        const QString &last = words.last();
        if (words.size() > 1 && last.size() >= 3 && std::all_of(last.cbegin(), last.cend(), [](QChar c) { return c.isDigit(); }))
            break;
        words.removeLast();
    }
    return {};
}

QList<const Vehicle *> VehicleMatcher::matchAll(const QString &make, const QString &model, int year)
{
    const QString asked = make + QLatin1Char('\t') + model + QLatin1Char('\t') + QString::number(year);
    const auto known = m_seen.constFind(asked);
    if (known != m_seen.constEnd())
        return known.value();
    const QList<const Vehicle *> found = find(make, model, year);
    m_seen.insert(asked, found);
    return found;
}

const Vehicle *VehicleMatcher::match(const QString &make, const QString &model, int year)
{
    const QList<const Vehicle *> found = matchAll(make, model, year);
    return found.size() == 1 ? found.first() : nullptr;
}
