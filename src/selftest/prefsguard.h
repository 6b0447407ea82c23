#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

// Keeps the user's preferences as they were: remembers every stored value
// when made, and restore() puts them back (dropping keys added since) and
// writes the store to disk. Keys that did not change are not written.
class PrefsGuard final
{
public:
    PrefsGuard();
    ~PrefsGuard() { restore(); }
    PrefsGuard(const PrefsGuard &) = delete;
    PrefsGuard &operator=(const PrefsGuard &) = delete;

    void restore();

private:
    QHash<QString, QVariant> m_saved;
};
