#pragma once

#include <QString>
#include <QStringList>

// Type-ahead in a list: the letters typed in quick succession find the next
// item whose text starts with them, ignoring case.
class TypeAhead final
{
public:
    // The item `typed` leads to when the cursor is on `current` (-1 for
    // none), or -1. A longer prefix may stay on the current item; one letter
    // typed again and again steps through the items that start with it.
    static qsizetype match(const QStringList &texts, const QString &typed, qsizetype current);

    // Adds a typed text to the prefix, which starts anew after a pause of more
    // than `pauseMs` since the last key (times in milliseconds).
    QString add(const QString &text, qint64 nowMs);

    static constexpr qint64 pauseMs = 1000;

private:
    QString m_prefix;
    qint64 m_lastMs = -1;
};
