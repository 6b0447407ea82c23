#pragma once

#include <QFont>
#include <QWidget>

// One line of plain text in the rounded face whose digits all take the same
// width (each centred in a cell as wide as the zero), so numbers of the same
// length line up, e.g. the years of the picker. Drawn from the leading edge.
class MonoDigitsText : public QWidget
{
    Q_OBJECT

public:
    MonoDigitsText(const QString &text, double points, QFont::Weight weight = QFont::Normal, QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);
    // The width of one digit's cell at the current zoom.
    double digitWidth() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void applyFont();
    double advance(QChar c) const;

    QString m_text;
    double m_points;
    QFont::Weight m_weight;
};
