#pragma once

#include <QWidget>

class QVBoxLayout;

// The kit's container panel: a rounded rectangle with the theme's panel
// gradient and a bevelled rim, its content inset by `padding` points.
class KVPanel : public QWidget
{
    Q_OBJECT

public:
    // Radius 20 and padding 12 points.
    explicit KVPanel(QWidget *parent = nullptr);
    KVPanel(double radius, double padding, QWidget *parent = nullptr);

    double radius() const { return m_radius; }
    double padding() const { return m_padding; }
    QWidget *content() const { return m_content; }
    // Sets the content, placed at the top of the content layout (an earlier content is deleted).
    void setContent(QWidget *content);
    // The layout holding the content; more widgets may be added to it.
    QVBoxLayout *contentLayout() const { return m_layout; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void applyPadding();

    double m_radius;
    double m_padding;
    QWidget *m_content = nullptr;
    QVBoxLayout *m_layout;
};
