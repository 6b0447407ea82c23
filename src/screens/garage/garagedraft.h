#pragma once

#include "garage/garagevehicle.h"

#include <functional>
#include <optional>

// The pending edit of the shown garage vehicle: a whole copy of it with the
// user's changes, or nothing while nothing is being edited. The store is not
// touched until the caller saves the draft.
class GarageDraft final
{
public:
    const std::optional<GarageVehicle> &value() const { return m_draft; }
    bool pending() const { return m_draft.has_value(); }

    // What the card shows: the draft, else the shown vehicle.
    std::optional<GarageVehicle> edited(const std::optional<GarageVehicle> &shown) const;
    // Applies one change to the edited vehicle and keeps the result; nothing
    // without a draft or a shown vehicle.
    void change(const std::optional<GarageVehicle> &shown, const std::function<void(GarageVehicle &)> &apply);
    void drop() { m_draft.reset(); }
    // Drops a draft that belongs to another vehicle than `shown` (the shown
    // vehicle changed under it, e.g. removed elsewhere), so it can never be
    // saved over a vehicle it was not typed for.
    void follow(const std::optional<GarageVehicle> &shown);

private:
    std::optional<GarageVehicle> m_draft;
};
