#include "modelobserver.h"

#include "garage/garagestore.h"
#include "platform/netstatus.h"
#include "platform/prefs.h"

#include <QTimer>

ModelObserver::ModelObserver(QObject *owner, std::function<void()> refresh)
    : QObject(owner), m_refresh(std::move(refresh))
{
}

void ModelObserver::watchModel(AppModel &model, const QSet<AppModel::Field> &fields)
{
    connect(&model, &AppModel::changed, this, [this, fields](AppModel::Field field) {
        if (fields.isEmpty() || fields.contains(field))
            schedule();
    });
}

void ModelObserver::watchPrefs(const QSet<QString> &keys)
{
    connect(&Prefs::shared(), &Prefs::changed, this, [this, keys](const QString &key) {
        if (keys.isEmpty() || keys.contains(key))
            schedule();
    });
}

void ModelObserver::watchNet()
{
    connect(&NetStatus::shared(), &NetStatus::onlineChanged, this, &ModelObserver::schedule);
}

void ModelObserver::watchGarage(GarageStore *store)
{
    watch(store, &GarageStore::changed);
}

void ModelObserver::schedule()
{
    if (m_pending)
        return;
    m_pending = true;
    const quint64 generation = ++m_generation;
    QTimer::singleShot(0, this, [this, generation] {
        // A refreshNow() in between has already done this refresh.
        if (!m_pending || generation != m_generation)
            return;
        refreshNow();
    });
}

void ModelObserver::refreshNow()
{
    m_pending = false;
    ++m_generation;
    ++m_count;
    if (m_refresh)
        m_refresh();
}
