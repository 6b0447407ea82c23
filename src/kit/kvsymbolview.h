#pragma once

#include <QColor>
#include <QWidget>
#include <functional>

// One symbol of the symbol table, drawn in a square. Its size follows the
// widget's font (a symbol beside text of size s is about s across) unless a
// size in points is given; its colour is fixed, comes from a function read at
// each paint, or else is the palette's foreground.
class KVSymbolView : public QWidget
{
    Q_OBJECT

public:
    explicit KVSymbolView(const QString &name, QWidget *parent = nullptr);

    QString name() const { return m_name; }
    void setName(const QString &name);
    // Text size in points the symbol sits beside; 0 follows the widget's font.
    void setPoints(double points);
    void setColor(const QColor &color);
    void setColorSource(std::function<QColor()> source);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The text size in points for this widget's symbol.
    double points() const;
    QColor color() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QString m_name;
    double m_points = 0;
    QColor m_color;
    std::function<QColor()> m_source;
};
