#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QStringList>
#include <QWidget>
#include <memory>

class QTextLayout;

// Plain text that wraps onto at most `maxLines` lines in the rounded face;
// what does not fit ends in an ellipsis on the last line. One line gives a
// label that is cut rather than widened by a long text.
class ClampedText : public QWidget
{
    Q_OBJECT

public:
    ClampedText(double points, QFont::Weight weight, int maxLines, QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);
    // An invalid colour draws in the inherited text colour.
    void setColor(const QColor &color);
    int maxLines() const { return m_maxLines; }
    // The lines drawn at a width (after wrapping and cutting), for tests.
    QStringList linesAt(int width) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return m_maxLines > 1; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void applyFont();
    // Wraps the text at a width; linesAt() keeps the answers until the
    // text or font change, as layouts ask again and again.
    QStringList wrap(int width) const;

    struct Cache
    {
        QString text;
        QFont font;
        QHash<int, QStringList> lines;
        int width = -1;                      // of the text on one line
        std::shared_ptr<QTextLayout> layout; // shaped once, broken at each width
    };
    mutable Cache m_cache;
    // The cache, emptied when the text or font changed.
    Cache &cache() const;

    double m_points;
    QFont::Weight m_weight;
    int m_maxLines;
    QString m_text;
    QColor m_color;
};
