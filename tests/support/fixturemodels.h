#pragma once

#include "app/appmodel.h"
#include "fixturedb.h"

#include <QTemporaryDir>
#include <memory>

// App models over one fixture database, each with a fresh garage of its own
// in a temporary folder.
class FixtureModels
{
public:
    explicit FixtureModels(const FixtureDb &fx)
        : m_fx(fx)
    {
    }

    std::unique_ptr<AppModel> make()
    {
        const QString garage = m_home.filePath(QStringLiteral("garage%1.sqlite").arg(++m_garages));
        return std::make_unique<AppModel>(AppModel::Locations{m_fx.path(), m_fx.photosFolder(), garage});
    }

private:
    const FixtureDb &m_fx;
    QTemporaryDir m_home;
    int m_garages = 0;
};
