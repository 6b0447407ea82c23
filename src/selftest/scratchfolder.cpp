#include "scratchfolder.h"

#include <QDir>
#include <QUuid>

ScratchFolder::ScratchFolder()
    : m_path(QDir(QDir::tempPath()).filePath(namePrefix() + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper()))
{
    QDir().mkpath(m_path);
}

ScratchFolder::~ScratchFolder()
{
    QDir(m_path).removeRecursively();
}
