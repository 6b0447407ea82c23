#pragma once

#include "data/obdcode.h"

#include <QAbstractListModel>
#include <QList>
#include <optional>

// The rows of the trouble-code list: the matching codes in order, and which
// one is selected. Handing it the same codes again changes nothing, so a
// refresh keeps the view's scroll position and current row.
class CodeListModel final : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role { TitleRole = Qt::UserRole + 1, LevelRole, SelectedRole };

    explicit CodeListModel(QObject *parent = nullptr);

    // False when the list was already these codes (nothing reset).
    bool setCodes(const QList<OBDCode> &codes);
    void setSelectedCode(const std::optional<QString> &code);

    const QList<OBDCode> &codes() const { return m_codes; }
    // The code of a row; empty for a row that does not exist.
    QString codeAt(int row) const;
    // The row of a code, -1 when it is not listed.
    int rowOf(const QString &code) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QList<OBDCode> m_codes;
    std::optional<QString> m_selected;
};
