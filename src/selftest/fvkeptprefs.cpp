#include "fvkeptprefs.h"

#include "platform/prefs.h"

FVKeptPrefs::FVKeptPrefs(const QStringList &keys)
{
    Prefs &prefs = Prefs::shared();
    for (const QString &key : keys) {
        std::optional<QVariant> value;
        if (prefs.contains(key))
            value = prefs.value(key);
        m_saved.append({key, value});
    }
}

FVKeptPrefs::~FVKeptPrefs()
{
    restore();
}

void FVKeptPrefs::restore()
{
    Prefs &prefs = Prefs::shared();
    for (const auto &[key, value] : m_saved) {
        if (value)
            prefs.setValue(key, *value);
        else if (prefs.contains(key))
            prefs.remove(key);
    }
    prefs.sync();
}
