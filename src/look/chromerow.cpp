#include "chromerow.h"

#include "kit/kvfocusring.h"
#include "kit/kvrnthemes.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvshape.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>

namespace {
constexpr double kRadius = 12;
} // namespace

ChromeRow::ChromeRow(bool selected, std::function<void()> action, QWidget *label, QWidget *parent)
    : QAbstractButton(parent)
    , m_selected(selected)
    , m_action(std::move(action))
    , m_label(label)
    , m_layout(new QHBoxLayout(this))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_layout->setSpacing(0);
    if (m_label) {
        m_label->setParent(this);
        m_layout->addWidget(m_label, 1);
    }
    applyMetrics();
    applyForeground();
    KVFocusRing::attachOnFocus(this, kRadius);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (m_action)
            m_action();
    });
    KVScaleWatch::follow(this, [this] { applyMetrics(); });
}

void ChromeRow::setSelected(bool selected)
{
    if (m_selected == selected)
        return;
    m_selected = selected;
    applyForeground();
    update();
}

QColor ChromeRow::foreground() const
{
    return m_selected ? KVRNThemes::current().onAccent().color() : KVRNThemes::current().text.color();
}

void ChromeRow::applyMetrics()
{
    m_layout->setContentsMargins(KVScale::ipt(12), KVScale::ipt(7), KVScale::ipt(12), KVScale::ipt(7));
}

void ChromeRow::applyForeground()
{
    const QColor fg = foreground();
    QPalette pal = palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        pal.setColor(role, fg);
    setPalette(pal);
}

QSize ChromeRow::sizeHint() const
{
    return m_layout->sizeHint();
}

QSize ChromeRow::minimumSizeHint() const
{
    return m_layout->minimumSize();
}

void ChromeRow::paintEvent(QPaintEvent *)
{
    using namespace KVShape;
    const QColor want = foreground();
    if (palette().color(QPalette::WindowText) != want)
        applyForeground();
    if (!m_selected)
        return; // nothing visible; the whole rectangle still takes clicks
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(rect());
    const double radius = KVScale::pt(kRadius);
    p.fillPath(roundedRect(r, radius), vertical(r, KVRNThemes::current().accentFill(0.95, 0.55)));
    strokeRoundedRectInside(p, r, radius, KVScale::pt(1), QBrush(white(1, 0.5)));
}
