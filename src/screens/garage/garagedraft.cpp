#include "garagedraft.h"

std::optional<GarageVehicle> GarageDraft::edited(const std::optional<GarageVehicle> &shown) const
{
    return m_draft ? m_draft : shown;
}

void GarageDraft::follow(const std::optional<GarageVehicle> &shown)
{
    if (m_draft && (!shown || shown->id != m_draft->id))
        m_draft.reset();
}

void GarageDraft::change(const std::optional<GarageVehicle> &shown, const std::function<void(GarageVehicle &)> &apply)
{
    std::optional<GarageVehicle> next = edited(shown);
    if (!next)
        return;
    apply(*next);
    m_draft = std::move(next);
}
