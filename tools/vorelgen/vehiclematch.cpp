#include "vehiclematch.h"

VehicleMatcher::VehicleMatcher(const Model &m)
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

const Vehicle *VehicleMatcher::match(const QString &make, const QString &model, int year)
{
    const QString asked = make + QLatin1Char('\t') + model + QLatin1Char('\t') + QString::number(year);
    const auto known = m_seen.constFind(asked);
    if (known != m_seen.constEnd())
        return known.value();
    const QString prefix = key(make) + QLatin1Char('|');
    QStringList words = model.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const Vehicle *found = nullptr;
    for (; !words.isEmpty() && !found; words.removeLast()) {
        for (const Vehicle *v : m_lines.value(prefix + key(words.join(QString()))))
            if (v->hasYear(year)) {
                found = v;
                break;
            }
    }
    m_seen.insert(asked, found);
    return found;
}
