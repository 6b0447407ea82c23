#pragma once

#include <QWidget>

// One stat cell of the offline check: the caption upper-cased, small, heavy
// and dimmed over a large heavy value whose digits all take the same width
// (so "17 / 17" and "16 / 17" line up). Drawn from the leading edge.
class VINStat : public QWidget
{
    Q_OBJECT

public:
    explicit VINStat(const QString &caption, QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    QString shownCaption() const { return m_caption.toUpper(); }
    QString value() const { return m_value; }
    void setValue(const QString &value);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    static QFont captionFont();
    static QFont valueFont();
    // Width of the value with every digit in a cell as wide as the zero.
    static double valueWidth(const QString &value);

    QString m_caption;
    QString m_value;
};
