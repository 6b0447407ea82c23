#pragma once

#include <QAbstractButton>

// One row of the help window's topic list: the topic's title, bold and white
// on a rounded accent background while it is the topic on the page, else
// medium in the theme's text colour. The whole row takes clicks.
class KVHelpTopicRow : public QAbstractButton
{
    Q_OBJECT

public:
    KVHelpTopicRow(const QString &topicID, const QString &title, bool current, QWidget *parent = nullptr);

    QString topicID() const { return m_id; }
    QString title() const { return m_title; }
    bool isCurrent() const { return m_current; }
    void setCurrent(bool current);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // Long titles wrap onto further lines.
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QFont titleFont() const;

    QString m_id;
    QString m_title;
    bool m_current;
};
