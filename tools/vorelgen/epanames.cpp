#include "epanames.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QRegularExpression>

#include <cmath>

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
                if (s.from > s.to || s.line.split(QStringLiteral(" + ")).contains(QString()))
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

EpaNames::Answer EpaNames::look(const QString &make, const QString &model, int year, double litres) const
{
    static const QRegularExpression bySize(QStringLiteral("^(.+)@(\\d+(?:\\.\\d+)?)$"));
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
            for (QString part : s.line.split(QStringLiteral(" + "))) {
                // "line@2.7" takes only the rows of that displacement.
                if (const auto m = bySize.match(part); m.hasMatch()) {
                    if (std::abs(m.captured(2).toDouble() - litres) > 0.05)
                        continue;
                    part = m.captured(1);
                }
                // "MAKE|line" names a line of another make (a Bentley EPA lists under Rolls-Royce).
                const qsizetype bar = part.indexOf(QLatin1Char('|'));
                a.lines.append({bar > 0 ? part.left(bar) : m_makes.value(make, make.toUpper()), bar > 0 ? part.mid(bar + 1) : part});
            }
            if (a.lines.isEmpty()) {
                a.outcome = Outcome::LeftOut;
                a.reason = QStringLiteral("no line for this displacement");
                return a;
            }
            a.outcome = Outcome::Mapped;
            a.make = a.lines.first().make;
            a.line = a.lines.first().line;
            return a;
        }
    // Mapped in other years only: no line for this one.
    a.outcome = Outcome::LeftOut;
    a.reason = QStringLiteral("no line in this model year");
    return a;
}
