#pragma once

#include "support/fixturedb.h"

#include <QTemporaryDir>
#include <memory>

class AppModel;

// A model of its own for window tests: the fixture reference data (or a path
// that does not exist, or a damaged copy) and a fresh garage, with the settings in a temporary
// file.
class ShellFixture
{
public:
    // Damaged: the fixture with its recalls table overwritten.
    enum class Data { Fixture, Missing, Damaged };
    explicit ShellFixture(Data data = Data::Fixture);
    ~ShellFixture();

    bool ok() const;
    AppModel &model() const { return *m_model; }

private:
    QTemporaryDir m_dir;
    FixtureDb m_db;
    std::unique_ptr<AppModel> m_model;
};
