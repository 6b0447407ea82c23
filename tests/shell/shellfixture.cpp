#include "shellfixture.h"

#include "app/appmodel.h"
#include "platform/prefs.h"

ShellFixture::ShellFixture(Data data)
{
    Prefs::shared().useFile(m_dir.filePath(QStringLiteral("prefs.ini")));
    AppModel::Locations where;
    if (data == Data::Damaged)
        m_db.damageTable(QStringLiteral("recalls"));
    where.vorelPath = data != Data::Missing ? m_db.path() : m_dir.filePath(QStringLiteral("missing/vorel.db"));
    where.photosPath = m_db.photosFolder();
    where.garagePath = m_dir.filePath(QStringLiteral("garage.sqlite"));
    m_model = std::make_unique<AppModel>(where);
}

ShellFixture::~ShellFixture() = default;

bool ShellFixture::ok() const
{
    return m_dir.isValid() && m_db.ok();
}
