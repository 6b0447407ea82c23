#include "prefsguard.h"

#include "platform/prefs.h"

PrefsGuard::PrefsGuard()
{
    Prefs &prefs = Prefs::shared();
    for (const QString &key : prefs.keys())
        m_saved.insert(key, prefs.value(key));
}

void PrefsGuard::restore()
{
    Prefs &prefs = Prefs::shared();
    for (const QString &key : prefs.keys()) {
        if (!m_saved.contains(key))
            prefs.remove(key);
    }
    for (auto it = m_saved.cbegin(); it != m_saved.cend(); ++it) {
        if (!prefs.contains(it.key()) || prefs.value(it.key()) != it.value())
            prefs.setValue(it.key(), it.value());
    }
    prefs.sync();
}
