#include "typeahead.h"

#include <algorithm>

qsizetype TypeAhead::match(const QStringList &texts, const QString &typed, qsizetype current)
{
    if (typed.isEmpty() || texts.isEmpty())
        return -1;
    // One letter, or the same letter again and again, steps to the next item
    // with that initial; a longer prefix may stay where it is.
    const bool stepping = typed.count(typed.front()) == typed.size();
    const QString needle = stepping ? typed.left(1) : typed;
    const qsizetype n = texts.size();
    const qsizetype start = stepping ? current + 1 : std::max<qsizetype>(current, 0);
    for (qsizetype k = 0; k < n; ++k) {
        const qsizetype i = (start + k) % n;
        if (texts[i].startsWith(needle, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

QString TypeAhead::add(const QString &text, qint64 nowMs)
{
    if (m_lastMs < 0 || nowMs - m_lastMs > pauseMs)
        m_prefix.clear();
    m_lastMs = nowMs;
    m_prefix += text;
    return m_prefix;
}
