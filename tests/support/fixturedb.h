#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class Vorel;

// A reference database for tests, built in a fresh temporary folder from the
// schema of tools/vorelgen plus SQL files of rows. Relative file names are
// looked up in tests/data/; a file that does not exist is skipped, so a test
// can name the fixtures of every area whether or not they are there yet.
class FixtureDb
{
public:
    // The row files that describe the whole reference data set.
    static QStringList allFixtures();

    explicit FixtureDb(const QStringList &sqlFiles = allFixtures(), const QString &fileName = QStringLiteral("vorel.db"));

    // False when the folder, the schema or one of the files failed; error() says why.
    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }

    QString path() const { return m_path; }
    QString folder() const { return m_dir.path(); }
    // "photos" inside the folder (created, empty).
    QString photosFolder() const;

    // Runs more SQL on the file (before opening it: the reference connection
    // is immutable and does not see later changes). False on failure.
    bool exec(const QString &sql);
    // Overwrites the first page of a table with noise, so that the file
    // still opens but reading the table reports corruption. False on failure.
    bool damageTable(const QString &table);
    static bool damageTable(const QString &path, const QString &table);
    // Opens the file as the program does; throws SQLError.
    std::unique_ptr<Vorel> open() const;

    static QString schemaPath();
    static QString dataPath(const QString &name);

private:
    QTemporaryDir m_dir;
    QString m_path;
    QString m_error;
};
