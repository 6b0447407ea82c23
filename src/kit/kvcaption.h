#pragma once

#include <QWidget>

// A small heavy caption, upper-cased and widely tracked, in the theme's dimmed
// text colour. No padding, background or frame.
class KVCaption : public QWidget
{
    Q_OBJECT

public:
    explicit KVCaption(const QString &text, QWidget *parent = nullptr);

    QString text() const { return m_text; }
    // The text as drawn.
    QString shownText() const { return m_text.toUpper(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    static QFont captionFont();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
};
