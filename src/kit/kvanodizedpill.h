#pragma once

#include <QColor>
#include <QWidget>

// A small capsule badge: white heavy text, shown as given, on a glossy fill of
// the caller's colour.
class KVAnodizedPill : public QWidget
{
    Q_OBJECT

public:
    KVAnodizedPill(const QString &text, const QColor &color, QWidget *parent = nullptr);

    QString text() const { return m_text; }
    QColor color() const { return m_color; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    static QFont labelFont();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    QColor m_color;
};
