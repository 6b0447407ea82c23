#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

// Remembers some user-defaults keys when made and puts them back when it
// goes: a saved value is written again, a key that was absent is removed;
// the store is then flushed to disk.
class FVKeptPrefs final
{
public:
    explicit FVKeptPrefs(const QStringList &keys);
    ~FVKeptPrefs();
    FVKeptPrefs(const FVKeptPrefs &) = delete;
    FVKeptPrefs &operator=(const FVKeptPrefs &) = delete;

    // Puts the keys back now (the destructor does it again, harmlessly).
    void restore();

private:
    QList<std::pair<QString, std::optional<QVariant>>> m_saved;
};
