#include "backstep.h"

#include "appmodel.h"

BackStep::BackStep(AppModel &m, QObject *parent)
    : QObject(parent)
    , m_model(m)
    , m_shown(m.screen())
{
    connect(&m_model, &AppModel::changed, this, [this](AppModel::Field field) {
        if (field != AppModel::Field::Screen || m_model.screen() == m_shown)
            return;
        if (m_model.screen() == Screen::Vehicle)
            m_cameFrom = m_shown;
        m_shown = m_model.screen();
    });
}

BackStep::Target BackStep::target(Screen screen, std::optional<Screen> cameFrom, const QStringList &guidePath)
{
    if (screen == Screen::Guides && guidePath.size() >= 2)
        return {std::nullopt, guidePath.mid(0, guidePath.size() - 1)};
    if (screen == Screen::Vehicle && cameFrom && (*cameFrom == Screen::Home || *cameFrom == Screen::Search))
        return {cameFrom, std::nullopt};
    return {};
}

bool BackStep::canGoBack() const
{
    const Target t = target(m_model.screen(), m_cameFrom, m_model.guidePath());
    return t.screen || t.guidePath;
}

void BackStep::goBack()
{
    const Target t = target(m_model.screen(), m_cameFrom, m_model.guidePath());
    if (t.guidePath)
        m_model.setGuidePath(*t.guidePath);
    else if (t.screen)
        m_model.setScreen(*t.screen);
}
