#include "searchhit.h"

std::optional<SearchKind> SearchKind::fromRawValue(const QString &raw)
{
    for (const SearchKind k : allCases())
        if (k.rawValue() == raw)
            return k;
    return std::nullopt;
}

QString SearchKind::rawValue() const
{
    switch (m_value) {
    case Vehicle: return QStringLiteral("vehicle");
    case Code: return QStringLiteral("code");
    case Guide: return QStringLiteral("guide");
    case Obd1: return QStringLiteral("obd1");
    case Recall: return QStringLiteral("recall");
    }
    return {};
}

QString SearchHit::id() const
{
    return kind.rawValue() + u':' + ref + u':' + QString::number(year.value_or(0));
}
