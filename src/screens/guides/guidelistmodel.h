#pragma once

#include "guidelistrules.h"

#include <QAbstractListModel>
#include <optional>

// The rows of the guide list: for each group its heading, then one row per
// guide of the group. Headings cannot be selected or made current.
class GuideListModel final : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role { HeadingRole = Qt::UserRole + 1, GuideIdRole, SelectedRole };

    explicit GuideListModel(QObject *parent = nullptr);

    // Rebuilds the rows only when the guides' groups differ.
    void setGroups(const QList<GuideListRules::Group> &groups);
    void setSelectedGuide(const std::optional<QString> &id);

    // The guide id of a row; empty for a heading or a row that does not exist.
    QString guideAt(int row) const;
    int rowOf(const QString &guideId) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    struct Row
    {
        bool heading = false;
        QString text; // the heading or the guide's title
        QString id;   // the guide's id
        friend bool operator==(const Row &, const Row &) = default;
    };
    QList<Row> m_rows;
    std::optional<QString> m_selected;
};
