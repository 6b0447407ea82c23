#include "kvtextlabel.h"

#include "kvfont.h"
#include "kvscale.h"
#include "kvscalewatch.h"
#include "kvtextlabelmetrics.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QPainter>
#include <algorithm>

namespace {

// The item that holds `w` in `layout` or one of its nested layouts.
QLayoutItem *itemOf(QLayout *layout, const QWidget *w)
{
    for (int i = 0; layout && i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (item->widget() == w)
            return item;
        if (QLayoutItem *inner = itemOf(item->layout(), w))
            return inner;
    }
    return nullptr;
}

constexpr int kIdealChars = 60;

} // namespace

KVTextLabel::KVTextLabel(double points, QFont::Weight weight, QWidget *parent)
    : KVTextLabel(QString(), points, weight, parent)
{
}

KVTextLabel::KVTextLabel(const QString &text, double points, QFont::Weight weight, QWidget *parent)
    : QLabel(parent)
    , m_points(points)
    , m_weight(weight)
{
    setTextFormat(Qt::PlainText);
    setText(text);
    // Its size is asked for many times per layout pass; a safe area (none on
    // this platform) would be looked up through the window on every ask.
    setAttribute(Qt::WA_ContentsMarginsRespectsSafeArea, false);
    applyFont();
    KVScaleWatch::follow(this, [this] { applyFont(); });
}

void KVTextLabel::setTracking(double points)
{
    m_tracking = points;
    applyFont();
}

void KVTextLabel::setColor(const QColor &color)
{
    QPalette pal = palette();
    if (color.isValid()) {
        pal.setColor(QPalette::WindowText, color);
        pal.setColor(QPalette::Text, color);
        setPalette(pal);
    } else {
        setPalette(QPalette());
    }
}

void KVTextLabel::setPlain(const QString &text)
{
    if (text == this->text())
        return;
    setText(text);
    if (m_elide)
        updateCutTip();
}

void KVTextLabel::applyFont()
{
    QFont f = KVFont::rounded(m_points, m_weight);
    if (m_tracking != 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, KVScale::pt(m_tracking));
    setFont(f);
}

bool KVTextLabel::alignedInLayout() const
{
    const QWidget *parent = parentWidget();
    const QLayoutItem *item = parent ? itemOf(parent->layout(), this) : nullptr;
    return item && (item->alignment() & Qt::AlignHorizontal_Mask);
}

QSize KVTextLabel::sizeHint() const
{
    if (!wordWrap() || !alignedInLayout())
        return preferredSize();
    const QFontMetrics fm(font());
    const QMargins m = contentsMargins();
    const int extra = m.left() + m.right() + 2 * margin() + std::max(indent(), 0);
    const int width = std::clamp(std::min(oneLineWidth(), fm.averageCharWidth() * kIdealChars) + extra,
                                 minimumSizeHint().width(), std::max(maximumWidth(), minimumSizeHint().width()));
    return QSize(width, cachedHeight(width));
}

int KVTextLabel::heightForWidth(int width) const
{
    // An aligned label is no wider than its hint, whatever space it is offered.
    if (wordWrap() && alignedInLayout())
        width = std::min(width, sizeHint().width());
    return cachedHeight(width);
}

void KVTextLabel::checkCache() const
{
    Cache &c = m_cache;
    const QMargins margins = contentsMargins();
    if (c.valid && c.wrap == wordWrap() && c.margin == margin() && c.indent == indent() && c.margins == margins
        && c.flags == textInteractionFlags() && c.alignment == alignment() && c.minimum == minimumSize() && c.maximum == maximumSize()
        && c.font == font() && c.text == text())
        return;
    c = Cache{};
    c.text = text();
    c.font = font();
    c.margins = margins;
    c.margin = margin();
    c.indent = indent();
    c.wrap = wordWrap();
    c.flags = textInteractionFlags();
    c.alignment = alignment();
    c.minimum = minimumSize();
    c.maximum = maximumSize(); // bounds the preferred width
    c.valid = true;
}

int KVTextLabel::cachedHeight(int width) const
{
    checkCache();
    if (const auto it = m_cache.heights.constFind(width); it != m_cache.heights.cend())
        return *it;
    if (m_cache.heights.size() >= 64)
        m_cache.heights.clear(); // a window dragged through many widths
    const int h = measuredHeight(width);
    m_cache.heights.insert(width, h);
    return h;
}

KVTextLabel::Measure KVTextLabel::measure() const
{
    if (!wordWrap() || textFormat() != Qt::PlainText || text().isEmpty() || margin() != 0 || indent() >= 0
        || frameWidth() != 0 || minimumWidth() > 0 || layoutDirection() != Qt::LeftToRight || buddy())
        return Measure::ByQLabel;
    // A selectable label's text goes through a text document.
    if (textInteractionFlags() & (Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard))
        return KVTextLabelMetrics::handles(text()) ? Measure::AsDocument : Measure::ByQLabel;
    // Any other through the painter's layout, bounded from the top left.
    const Qt::Alignment a = alignment();
    if ((a & Qt::AlignHorizontal_Mask) == Qt::AlignLeft && !(a & Qt::AlignBottom)
        && KVTextLabelMetrics::handlesPainted(text()))
        return Measure::AsPainter;
    return Measure::ByQLabel;
}

QSize KVTextLabel::paintedSize(int width) const
{
    const QMargins m = contentsMargins();
    return (metrics().painted(width - m.left() - m.right()).grownBy(m)).expandedTo(minimumSize());
}

int KVTextLabel::measuredHeight(int width) const
{
    const Measure how = measure();
    if (how == Measure::ByQLabel)
        return QLabel::heightForWidth(width);
    if (width < 0) // QLabel measures its preferred shape, as for its size hint
        return preferredSize().height();
    if (how == Measure::AsPainter)
        return paintedSize(width).height();
    const QMargins m = contentsMargins();
    const KVTextLabelMetrics &text = metrics();
    const int inner = std::max(width - m.left() - m.right(), 0);
    // Layouts ask at widths far beyond the text's too: one line a paragraph.
    KVTextLabel::minimumSizeHint();
    const bool unwrapped = m_cache.unwrapped >= 0 && text.unwrappedAt(inner, m_cache.unwrapped);
    const int lines = unwrapped ? m_cache.unwrappedHeight : text.height(inner);
    return std::max(lines + m.top() + m.bottom(), minimumHeight());
}

const KVTextLabelMetrics &KVTextLabel::metrics() const
{
    checkCache();
    if (!m_cache.metrics)
        m_cache.metrics = std::make_shared<const KVTextLabelMetrics>(text(), font(), alignment());
    return *m_cache.metrics;
}

QSize KVTextLabel::preferredSize() const
{
    const Measure how = measure();
    if (how == Measure::ByQLabel)
        return QLabel::sizeHint();
    ensurePolished();
    checkCache();
    if (m_cache.preferred.isValid())
        return m_cache.preferred;
    const QMargins m = contentsMargins();
    if (how == Measure::AsDocument) {
        m_cache.preferred = metrics().preferred().grownBy(m).expandedTo(minimumSize());
        return m_cache.preferred;
    }
    // Tried at 80 average characters, then at a half and a quarter of that
    // while the text takes few lines there.
    const QFontMetrics fm(font());
    const int most = std::min(fm.averageCharWidth() * 80, maximumWidth()) - m.left() - m.right();
    QSize box = metrics().painted(most);
    if (box.height() < 4 * fm.lineSpacing() && box.width() > most / 2)
        box = metrics().painted(most / 2);
    if (box.height() < 2 * fm.lineSpacing() && box.width() > most / 4)
        box = metrics().painted(most / 4);
    m_cache.preferred = box.grownBy(m).expandedTo(minimumSize());
    return m_cache.preferred;
}

QSize KVTextLabel::minimumSizeHint() const
{
    if (m_elide && !wordWrap()) {
        // Room for a letter and the ellipsis.
        const QFontMetrics fm(font());
        const QMargins m = contentsMargins();
        return QSize(fm.horizontalAdvance(QStringLiteral("W\u2026")) + m.left() + m.right() + 2 * margin(),
                     preferredSize().height());
    }
    const Measure how = measure();
    if (how == Measure::ByQLabel)
        return QLabel::minimumSizeHint();
    ensurePolished();
    checkCache();
    if (!m_cache.minimumHint.isValid()) {
        QSize size;
        if (how == Measure::AsDocument) {
            const QSize least = metrics().minimum(&m_cache.unwrapped);
            m_cache.unwrappedHeight = least.height();
            size = least.grownBy(contentsMargins()).expandedTo(minimumSize());
        } else { // the widest word, and one line's height
            size = QSize(paintedSize(0).width(), paintedSize(QWIDGETSIZE_MAX).height());
        }
        size.setHeight(std::min(size.height(), preferredSize().height()));
        m_cache.minimumHint = size;
    }
    return m_cache.minimumHint;
}

int KVTextLabel::oneLineWidth() const
{
    checkCache();
    if (m_cache.oneLine < 0) {
        const QFontMetrics fm(font());
        m_cache.oneLine =
            fm.boundingRect(QRect(0, 0, 1 << 20, 1 << 20), Qt::AlignLeft | Qt::TextExpandTabs, text()).width();
    }
    return m_cache.oneLine;
}

void KVTextLabel::setElided(bool elided)
{
    if (m_elide == elided)
        return;
    m_elide = elided;
    updateGeometry();
    updateCutTip();
    update();
}

bool KVTextLabel::isCut() const
{
    if (!m_elide || wordWrap())
        return false;
    return oneLineWidth() > contentsRect().width() - 2 * margin();
}

void KVTextLabel::updateCutTip()
{
    // The names it gave while cut go again; others' stay.
    const bool cut = isCut();
    if (cut || toolTip() == m_cutTip)
        setToolTip(cut ? text() : QString());
    if (cut || accessibleName() == m_cutTip)
        setAccessibleName(cut ? text() : QString());
    m_cutTip = cut ? text() : QString();
}

void KVTextLabel::paintEvent(QPaintEvent *event)
{
    if (!isCut()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const QRect r = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const QString shown = QFontMetrics(font()).elidedText(text(), Qt::ElideRight, r.width());
    const Qt::Alignment vertical = alignment() & Qt::AlignVertical_Mask;
    p.drawText(r, Qt::AlignLeft | (vertical ? vertical : Qt::AlignVCenter) | Qt::TextSingleLine, shown);
}

void KVTextLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    if (m_elide)
        updateCutTip();
}

void KVTextLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (m_elide && event->type() == QEvent::FontChange)
        updateCutTip();
}

KVTextLabel *KVTextLabel::wrapped(double points, const QColor &color, const QString &name)
{
    auto *label = new KVTextLabel(points);
    label->setWordWrap(true);
    label->setColor(color);
    label->setObjectName(name);
    return label;
}
