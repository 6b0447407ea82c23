#pragma once

#include "appmodel.h"

#include <QObject>
#include <QSet>
#include <functional>

// The one way a screen follows the shared state: it owns a ModelObserver,
// names what it depends on, and gets one refresh() call per burst of changes
// (the burst is folded with a zero-time single shot, so ten field sets in one
// operation redraw once). The screen then updates its widgets in place.
//
//   ModelObserver *obs = new ModelObserver(this, [this] { refresh(); });
//   obs->watchModel({AppModel::Field::Screen, AppModel::Field::CurrentVehicle});
//   obs->watchNet();
class ModelObserver final : public QObject
{
    Q_OBJECT

public:
    ModelObserver(QObject *owner, std::function<void()> refresh);

    // Changes of these fields of the model (all fields when empty).
    void watchModel(AppModel &model, const QSet<AppModel::Field> &fields = {});
    void watchModel(const QSet<AppModel::Field> &fields = {}) { watchModel(AppModel::shared(), fields); }
    // Writes of these user-defaults keys (all keys when empty).
    void watchPrefs(const QSet<QString> &keys = {});
    // The online flag of NetStatus.
    void watchNet();
    // The garage store's lists (nothing when there is no store).
    void watchGarage(GarageStore *store);
    // Any other signal.
    template <typename Sender, typename Signal>
    void watch(const Sender *sender, Signal signal)
    {
        if (sender)
            connect(sender, signal, this, &ModelObserver::schedule);
    }

    // Asks for one refresh at the next turn of the event loop; further calls
    // before it runs add nothing.
    void schedule();
    // Refreshes at once, dropping a pending scheduled refresh.
    void refreshNow();
    bool pending() const { return m_pending; }
    int refreshCount() const { return m_count; }

private:
    std::function<void()> m_refresh;
    bool m_pending = false;
    int m_count = 0;
    quint64 m_generation = 0;
};
