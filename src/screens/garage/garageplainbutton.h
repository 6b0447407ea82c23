#pragma once

#include <QColor>
#include <QPushButton>

class QMenu;

// A borderless button: an optional symbol and an optional label, drawn as
// given ("&" is not a mnemonic), at its ideal size. A rounded accent ring
// shows keyboard focus. With a menu (ensureMenu) a click, Space or Return
// opens it.
class GaragePlainButton : public QPushButton
{
    Q_OBJECT

public:
    GaragePlainButton(const QString &symbol, const QString &label, double points,
                      QFont::Weight weight = QFont::DemiBold, bool mono = false, QWidget *parent = nullptr);

    QString label() const { return m_label; }
    void setLabel(const QString &label);
    // An invalid colour draws in the theme's text colour.
    void setColor(const QColor &color);
    // The button's menu, made on first use.
    QMenu *ensureMenu();
    // The menu, emptied: the caller fills it afresh.
    QMenu *clearedMenu();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void applyFont();
    double gap() const;

    QString m_symbol;
    QString m_label;
    double m_points;
    QFont::Weight m_weight;
    bool m_mono;
    QColor m_color;
};
