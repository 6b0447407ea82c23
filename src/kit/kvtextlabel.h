#pragma once

#include <QFont>
#include <QHash>
#include <QLabel>
#include <memory>

class KVTextLabelMetrics;

// A text label: always plain text (nothing in data or
// user text is read as markup), in the rounded face at a size in points that
// follows the interface zoom, optionally tracked and in a colour of its own
// (else the inherited text colour).
class KVTextLabel : public QLabel
{
    Q_OBJECT

public:
    explicit KVTextLabel(double points, QFont::Weight weight = QFont::Normal, QWidget *parent = nullptr);
    KVTextLabel(const QString &text, double points, QFont::Weight weight = QFont::Normal, QWidget *parent = nullptr);

    // Letter spacing in points.
    void setTracking(double points);
    // An invalid colour inherits the parent's text colour.
    void setColor(const QColor &color);
    // Sets the text only when it differs, so an unchanged label is left alone.
    void setPlain(const QString &text);

    double points() const { return m_points; }
    // The text, or nothing while the label is hidden.
    QString shownText() const { return isHidden() ? QString() : text(); }

    // A one-line label that may be narrower than its text: it then ends in an
    // ellipsis and offers the whole text as its tooltip and accessible name.
    void setElided(bool elided);
    bool elided() const { return m_elide; }
    // Whether the text is cut short now.
    bool isCut() const;

    // A word-wrapping label in a colour, named for tests and lookups.
    static KVTextLabel *wrapped(double points, const QColor &color, const QString &name);

    // A wrapping label that its layout aligns (rather than stretches) gets
    // its one-line width up to about 60 characters, and the height of the
    // lines at the width it will actually get, so no line is cut.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void updateCutTip();
    // Whether the layout that holds the label aligns it horizontally.
    bool alignedInLayout() const;
    void applyFont();
    // QLabel's height at a width, and the one-line width, kept until the
    // text, font or frame change: layouts ask again and again, and text
    // layout is what costs.
    int cachedHeight(int width) const;
    // How the label's sizes are measured: by QLabel, or here as QLabel
    // would lay the text out (a selectable label's in a text document, any
    // other's as a painter does), each again and again; the sizes are the same.
    enum class Measure { ByQLabel, AsDocument, AsPainter };
    Measure measure() const;
    // QLabel's size at a width for a label measured as a painter does.
    QSize paintedSize(int width) const;
    // QLabel's height at a width, and its own size hint.
    int measuredHeight(int width) const;
    QSize preferredSize() const;
    // The text's measure, kept with the cache.
    const KVTextLabelMetrics &metrics() const;
    int oneLineWidth() const;
    void checkCache() const;

    struct Cache
    {
        QString text;
        QFont font;
        QMargins margins;
        int margin = 0;
        int indent = 0;
        bool wrap = false;
        Qt::TextInteractionFlags flags;
        Qt::Alignment alignment;
        QSize minimum, maximum;
        bool valid = false;
        int oneLine = -1;
        QHash<int, int> heights;
        QSize preferred, minimumHint; // invalid until measured
        double unwrapped = -1;        // the widest paragraph's width on one line
        int unwrappedHeight = 0;
        std::shared_ptr<const KVTextLabelMetrics> metrics;
    };
    mutable Cache m_cache;

    double m_points;
    QFont::Weight m_weight;
    double m_tracking = 0;
    bool m_elide = false;
    QString m_cutTip; // the tip last given for a cut text
};
