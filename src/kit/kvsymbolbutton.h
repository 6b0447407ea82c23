#pragma once

#include <QAbstractButton>
#include <QColor>
#include <functional>

// A plain button showing one symbol and nothing else: no chrome, no pressed
// highlight. Size and colour as KVSymbolView.
class KVSymbolButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit KVSymbolButton(const QString &name, QWidget *parent = nullptr);

    QString name() const { return m_name; }
    void setPoints(double points);
    void setColor(const QColor &color);
    void setColorSource(std::function<QColor()> source);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double points() const;

    QString m_name;
    double m_points = 0;
    QColor m_color;
    std::function<QColor()> m_source;
};
