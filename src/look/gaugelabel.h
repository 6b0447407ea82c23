#pragma once

#include <QColor>
#include <QWidget>

class KVDropShadow;

// The small heading that opens a section: a glowing dot (in `color`, else the
// theme's accent) and the text upper-cased, heavy and tracked, in the theme's
// dimmed colour.
class GaugeLabel : public QWidget
{
    Q_OBJECT

public:
    explicit GaugeLabel(const QString &text, const QColor &color = QColor(), QWidget *parent = nullptr);

    QString text() const { return m_text; }
    QString shownText() const { return m_text.toUpper(); }
    // `color` when given, else the current accent.
    QColor dotColor() const;

    QSize sizeHint() const override;
    // Narrower than its text only where nothing else fits; the text is then
    // shortened with an ellipsis.
    QSize minimumSizeHint() const override;

    static QFont labelFont();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRectF dotRect() const;

    QString m_text;
    QColor m_color;
    KVDropShadow *m_glow;
};
