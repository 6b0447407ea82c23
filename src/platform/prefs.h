#pragma once

#include <QObject>
#include <QSettings>
#include <QStringList>
#include <QVariant>
#include <memory>

// The user defaults: one QSettings store, one change signal per write.
// Tests point it at a temporary file with useFile().
class Prefs final : public QObject
{
    Q_OBJECT

public:
    static Prefs &shared();

    // Replaces the store with an INI file at path (tests, child processes).
    void useFile(const QString &path);

    QVariant value(const QString &key, const QVariant &fallback = {}) const;
    bool contains(const QString &key) const;
    // Every stored key, groups written as "group/key".
    QStringList keys() const;
    void setValue(const QString &key, const QVariant &value);
    void remove(const QString &key);
    void sync();

signals:
    void changed(const QString &key);

private:
    Prefs();
    std::unique_ptr<QSettings> m_settings;
};
