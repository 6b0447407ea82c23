#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

// Makes a group of widgets one stop of the Tab chain: only the current one
// takes Tab focus (the one last focused, else the first); Up and Down (Left
// and Right too, when `horizontal`), Home and End move the focus inside.
class RovingFocus final : public QObject
{
    Q_OBJECT

public:
    explicit RovingFocus(QObject *parent = nullptr, bool horizontal = false);

    // The group, in order; the current stop is kept when it is still in it.
    void setItems(const QList<QWidget *> &items);
    // Makes `item` (a member) the Tab stop.
    void setCurrent(QWidget *item);
    // The one member Tab reaches; null for an empty group.
    QWidget *stop() const;

signals:
    // Another member became the Tab stop (an owner may order the chain anew).
    void stopChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setStop(qsizetype i);

    bool m_horizontal;
    QList<QPointer<QWidget>> m_items;
    QList<Qt::FocusPolicy> m_policies;
    qsizetype m_stop = -1;
};
