#include "guidelistmodel.h"

GuideListModel::GuideListModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

void GuideListModel::setGroups(const QList<GuideListRules::Group> &groups)
{
    QList<Row> rows;
    for (const GuideListRules::Group &group : groups) {
        rows.append(Row{true, GuideListRules::heading(group.system), QString()});
        for (const Guide &g : group.guides)
            rows.append(Row{false, g.title, g.id});
    }
    if (rows == m_rows)
        return;
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

void GuideListModel::setSelectedGuide(const std::optional<QString> &id)
{
    if (id == m_selected)
        return;
    m_selected = id;
    if (!m_rows.isEmpty())
        emit dataChanged(index(0), index(int(m_rows.size()) - 1), {SelectedRole});
}

QString GuideListModel::guideAt(int row) const
{
    return row >= 0 && row < m_rows.size() && !m_rows[row].heading ? m_rows[row].id : QString();
}

int GuideListModel::rowOf(const QString &guideId) const
{
    for (int i = 0; i < m_rows.size(); ++i)
        if (!m_rows[i].heading && m_rows[i].id == guideId)
            return i;
    return -1;
}

int GuideListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant GuideListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row &r = m_rows[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return r.text;
    case HeadingRole:
        return r.heading;
    case GuideIdRole:
        return r.id;
    case SelectedRole:
        return !r.heading && m_selected && *m_selected == r.id;
    default:
        return {};
    }
}

Qt::ItemFlags GuideListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || m_rows[index.row()].heading)
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
