#include "codelistmodel.h"

CodeListModel::CodeListModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

bool CodeListModel::setCodes(const QList<OBDCode> &codes)
{
    if (codes == m_codes)
        return false;
    beginResetModel();
    m_codes = codes;
    endResetModel();
    return true;
}

void CodeListModel::setSelectedCode(const std::optional<QString> &code)
{
    if (code == m_selected)
        return;
    const int before = m_selected ? rowOf(*m_selected) : -1;
    m_selected = code;
    const int after = m_selected ? rowOf(*m_selected) : -1;
    for (int row : {before, after}) {
        if (row >= 0)
            emit dataChanged(index(row), index(row), {SelectedRole});
    }
}

QString CodeListModel::codeAt(int row) const
{
    return row >= 0 && row < m_codes.size() ? m_codes[row].code : QString();
}

int CodeListModel::rowOf(const QString &code) const
{
    for (int i = 0; i < m_codes.size(); ++i)
        if (m_codes[i].code == code)
            return i;
    return -1;
}

int CodeListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_codes.size());
}

QVariant CodeListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_codes.size())
        return {};
    const OBDCode &c = m_codes[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return c.code;
    case Qt::AccessibleTextRole:
        return c.code + QStringLiteral(", ") + c.title + QStringLiteral(", ") + c.level().title();
    case TitleRole:
        return c.title;
    case LevelRole:
        return int(c.level().level());
    case SelectedRole:
        return m_selected && *m_selected == c.code;
    default:
        return {};
    }
}
