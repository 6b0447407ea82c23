#pragma once

#include <QPushButton>

class KVDropShadow;

// The application's one button look: a glossy capsule with a bevelled rim and
// a drop shadow; grey with the theme's text colour, or `prominent` in the
// theme's accent with a white label; `compact` for a smaller label and
// tighter padding. A menu set with setMenu() opens on click as usual.
class KVChromeButton : public QPushButton
{
    Q_OBJECT

public:
    explicit KVChromeButton(const QString &text, QWidget *parent = nullptr);
    KVChromeButton(const QString &text, bool prominent, bool compact, QWidget *parent = nullptr);

    bool prominent() const { return m_prominent; }
    void setProminent(bool prominent);
    bool compact() const { return m_compact; }
    void setCompact(bool compact);

    // Label size and padding in points for the two sizes.
    static double labelSize(bool compact) { return compact ? 11.0 : 12.5; }
    static double horizontalPadding(bool compact) { return compact ? 12.0 : 16.0; }
    static double verticalPadding(bool compact) { return compact ? 5.0 : 8.0; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    QFont labelFont() const;
    QRectF capsuleRect() const;
    double opacity() const;

    bool m_prominent = false;
    bool m_compact = false;
    KVDropShadow *m_shadow = nullptr;
    // The last size asked for, with what it was measured for (text, size, zoom).
    struct Hint
    {
        QString text;
        bool compact = false;
        double zoom = 0;
        QSize size;
    };
    mutable Hint m_hint;
};
