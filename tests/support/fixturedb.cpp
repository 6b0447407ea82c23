#include "fixturedb.h"

#include "data/sqldb.h"
#include "data/vorel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QStringList FixtureDb::allFixtures()
{
    return {QStringLiteral("fixture_core.sql"), QStringLiteral("fixture_agency.sql")};
}

QString FixtureDb::schemaPath()
{
    return QStringLiteral(FV_TESTS_DIR "/../tools/vorelgen/schema.sql");
}

QString FixtureDb::dataPath(const QString &name)
{
    return QDir::isAbsolutePath(name) ? name : QStringLiteral(FV_TESTS_DIR "/data/") + name;
}

FixtureDb::FixtureDb(const QStringList &sqlFiles, const QString &fileName)
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder: ") + m_dir.errorString();
        return;
    }
    m_path = m_dir.filePath(fileName);
    QDir(m_dir.path()).mkpath(QStringLiteral("photos"));
    QStringList files{schemaPath()};
    for (const QString &name : sqlFiles) {
        const QString p = dataPath(name);
        if (QFileInfo::exists(p))
            files.append(p);
    }
    for (const QString &p : std::as_const(files)) {
        QFile f(p);
        if (!f.open(QIODevice::ReadOnly)) {
            m_error = QStringLiteral("cannot read ") + p;
            return;
        }
        if (!exec(QString::fromUtf8(f.readAll()))) {
            m_error = p + QStringLiteral(": ") + m_error;
            return;
        }
    }
}

QString FixtureDb::photosFolder() const
{
    return m_dir.filePath(QStringLiteral("photos"));
}

bool FixtureDb::exec(const QString &sql)
{
    try {
        SQLDB db(m_path, false);
        // One transaction keeps loading a large file quick.
        db.exec(QStringLiteral("BEGIN;\n") + sql + QStringLiteral("\n;COMMIT;"));
        return true;
    } catch (const SQLError &e) {
        m_error = e.description();
        return false;
    }
}

bool FixtureDb::damageTable(const QString &table)
{
    return damageTable(m_path, table);
}

bool FixtureDb::damageTable(const QString &path, const QString &table)
{
    qint64 root = 0;
    qint64 pageSize = 0;
    {
        SQLDB db(path, false);
        root = db.scalar(QStringLiteral("SELECT rootpage FROM sqlite_schema WHERE name = ?"), {table});
        pageSize = db.scalar(QStringLiteral("PRAGMA page_size"));
    }
    QFile file(path);
    if (root < 2 || pageSize <= 0 || !file.open(QIODevice::ReadWrite) || !file.seek((root - 1) * pageSize))
        return false;
    return file.write(QByteArray(int(pageSize), '\x5a')) == pageSize;
}

std::unique_ptr<Vorel> FixtureDb::open() const
{
    return std::make_unique<Vorel>(m_path, photosFolder());
}
