#include "prefs.h"

Prefs &Prefs::shared()
{
    static Prefs *instance = new Prefs();
    return *instance;
}

Prefs::Prefs()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("Brackenfold"), QStringLiteral("Fenwhistle Vorel")))
{
}

void Prefs::useFile(const QString &path)
{
    m_settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
}

QVariant Prefs::value(const QString &key, const QVariant &fallback) const
{
    return m_settings->value(key, fallback);
}

bool Prefs::contains(const QString &key) const
{
    return m_settings->contains(key);
}

QStringList Prefs::keys() const
{
    return m_settings->allKeys();
}

void Prefs::setValue(const QString &key, const QVariant &value)
{
    m_settings->setValue(key, value);
    emit changed(key);
}

void Prefs::remove(const QString &key)
{
    m_settings->remove(key);
    emit changed(key);
}

void Prefs::sync()
{
    m_settings->sync();
}
