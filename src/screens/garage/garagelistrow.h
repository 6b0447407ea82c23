#pragma once

#include "look/chromerow.h"

class KVTextLabel;

// One row of the garage's vehicle list: the title in bold and, when there is
// one, the nickname under it. It takes keyboard focus (an accent ring shows
// it); Up and Down move the focus to the row above or below, Space or Return
// chooses the row.
class GarageListRow : public ChromeRow
{
    Q_OBJECT

public:
    GarageListRow(qint64 id, bool selected, std::function<void()> action, QWidget *parent = nullptr);

    qint64 id() const { return m_id; }
    void setTexts(const QString &title, const QString &nickname);
    QString titleText() const;
    QString nicknameText() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    GarageListRow(qint64 id, bool selected, std::function<void()> action, KVTextLabel *title, KVTextLabel *nickname,
                  QWidget *parent);

    qint64 m_id;
    KVTextLabel *m_title;
    KVTextLabel *m_nickname;
};
