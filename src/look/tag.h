#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

// A capsule chip of one colour: an optional symbol and the text in white,
// heavy, on a gradient of the colour with a bevelled rim. Always its ideal
// size: never wrapped, truncated or stretched. Looks the same in every theme.
class Tag : public QWidget
{
    Q_OBJECT

public:
    Tag(const QString &text, const QColor &color, const QString &icon = QString(), QWidget *parent = nullptr);

    QString text() const { return m_text; }
    QColor color() const { return m_color; }
    QString icon() const { return m_icon; }
    // Another text and colour in place (a reused row showing another kind).
    void setLabel(const QString &text, const QColor &color);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    static QFont labelFont();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    QColor m_color;
    QString m_icon;
    // The last size hint and the font it was measured with (flows ask often).
    mutable QFont m_hintFont;
    mutable QSize m_hint;
    mutable double m_hintScale = 0;
};
