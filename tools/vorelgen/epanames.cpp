#include "epanames.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QRegularExpression>

namespace {

QString key(const QString &make, const QString &model)
{
    return make + QLatin1Char('|') + model;
}

} // namespace

EpaNames EpaNames::load(const QString &path)
{
    if (!QFileInfo::exists(path))
        return {};
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw GenError{QStringLiteral("%1: cannot be read (%2)").arg(path, f.errorString())};
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &error);
    if (!doc.isObject())
        throw GenError{QStringLiteral("%1: not a JSON object (%2)").arg(path, error.errorString())};
    return fromJson(doc.object(), path);
}

EpaNames EpaNames::fromJson(const QJsonObject &o, const QString &where)
{
    static const QRegularExpression years(QStringLiteral("^(\\d{4})-(\\d{4})$"));
    EpaNames t;
    const QJsonObject makes = o.value(QStringLiteral("makes")).toObject();
    for (auto it = makes.begin(); it != makes.end(); ++it)
        t.m_makes.insert(it.key(), it.value().toString());
    const QJsonObject leftMakes = o.value(QStringLiteral("left_out_makes")).toObject();
    for (auto it = leftMakes.begin(); it != leftMakes.end(); ++it)
        t.m_leftOutMakes.insert(it.key(), it.value().toString());
    const QJsonObject names = o.value(QStringLiteral("names")).toObject();
    for (auto mk = names.begin(); mk != names.end(); ++mk) {
        const QJsonObject models = mk.value().toObject();
        for (auto it = models.begin(); it != models.end(); ++it) {
            QList<Span> spans;
            if (it.value().isString()) {
                spans.append({0, 9999, it.value().toString()});
            } else {
                const QJsonObject byYears = it.value().toObject();
                for (auto y = byYears.begin(); y != byYears.end(); ++y) {
                    const auto m = years.match(y.key());
                    if (!m.hasMatch() || !y.value().isString())
                        throw GenError{QStringLiteral("%1: %2 %3: years \"%4\" are not YYYY-YYYY naming a line").arg(where, mk.key(), it.key(), y.key())};
                    spans.append({m.captured(1).toInt(), m.captured(2).toInt(), y.value().toString()});
                }
            }
            for (const Span &s : spans)
                if (s.line.isEmpty() || s.from > s.to)
                    throw GenError{QStringLiteral("%1: %2 %3 names no line").arg(where, mk.key(), it.key())};
            t.m_names.insert(key(mk.key(), it.key()), spans);
        }
    }
    const QJsonObject left = o.value(QStringLiteral("left_out")).toObject();
    for (auto mk = left.begin(); mk != left.end(); ++mk) {
        const QJsonObject models = mk.value().toObject();
        for (auto it = models.begin(); it != models.end(); ++it) {
            if (it.value().toString().isEmpty())
                throw GenError{QStringLiteral("%1: %2 %3 is left out without a reason").arg(where, mk.key(), it.key())};
            if (t.m_names.contains(key(mk.key(), it.key())))
                throw GenError{QStringLiteral("%1: %2 %3 is both mapped and left out").arg(where, mk.key(), it.key())};
            t.m_leftOut.insert(key(mk.key(), it.key()), it.value().toString());
        }
    }
    return t;
}

EpaNames::Answer EpaNames::look(const QString &make, const QString &model, int year) const
{
    Answer a;
    if (const auto why = m_leftOutMakes.constFind(make); why != m_leftOutMakes.constEnd()) {
        a.outcome = Outcome::LeftOut;
        a.reason = why.value();
        return a;
    }
    const QString k = key(make, model);
    if (const auto why = m_leftOut.constFind(k); why != m_leftOut.constEnd()) {
        a.outcome = Outcome::LeftOut;
        a.reason = why.value();
        return a;
    }
    const auto spans = m_names.constFind(k);
    if (spans == m_names.constEnd())
        return a;
    for (const Span &s : spans.value())
        if (year >= s.from && year <= s.to) {
            a.outcome = Outcome::Mapped;
            // "MAKE|line" names a line of another make (a Bentley EPA lists under Rolls-Royce).
            const qsizetype bar = s.line.indexOf(QLatin1Char('|'));
            a.make = bar > 0 ? s.line.left(bar) : m_makes.value(make, make.toUpper());
            a.line = bar > 0 ? s.line.mid(bar + 1) : s.line;
            return a;
        }
    // Mapped in other years only: no line for this one.
    a.outcome = Outcome::LeftOut;
    a.reason = QStringLiteral("no line in this model year");
    return a;
}
