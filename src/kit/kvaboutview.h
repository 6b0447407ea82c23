#pragma once

#include <QWidget>

class QLabel;

// The About window's content, centred in a column: the application's icon,
// its name, the version line, the application's extra lines, a divider, the
// maker's credit line and a link to the maker's site (its host name). Every
// text is shown exactly as it is.
class KVRNAboutView : public QWidget
{
    Q_OBJECT

public:
    explicit KVRNAboutView(QWidget *parent = nullptr);

    // The texts in the order shown (name, version, extra lines, credit, link).
    QStringList texts() const;

private:
    QLabel *addText(const QString &text, double points, QFont::Weight weight, const QColor &color);
    void applyMetrics();

    struct Styled
    {
        QLabel *label;
        double points;
        QFont::Weight weight;
    };
    QList<Styled> m_styled;
    QWidget *m_icon = nullptr;
    QWidget *m_divider = nullptr;
};
