#pragma once

#include <QWidget>

class QVBoxLayout;

// A rounded container whose content is inset by `padding` points on every
// side; the padding follows the interface zoom. Subclasses paint the face.
class KVPaddedBox : public QWidget
{
    Q_OBJECT

public:
    KVPaddedBox(double radius, double padding, QWidget *parent = nullptr);

    double radius() const { return m_radius; }
    double padding() const { return m_padding; }
    QWidget *content() const { return m_content; }
    // Sets the content, placed at the top of the content layout (an earlier content is deleted).
    void setContent(QWidget *content);
    // The layout holding the content; more widgets may be added to it.
    QVBoxLayout *contentLayout() const { return m_layout; }

private:
    void applyPadding();

    double m_radius;
    double m_padding;
    QWidget *m_content = nullptr;
    QVBoxLayout *m_layout;
};
