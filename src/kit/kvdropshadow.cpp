#include "kvdropshadow.h"

#include "kvscale.h"
#include "kvshadow.h"

#include <QEvent>
#include <QPainter>
#include <cmath>

KVDropShadow::KVDropShadow(QWidget *owner, const QColor &color, double radius, const QPointF &offset,
                           std::function<QPainterPath()> shape)
    : QWidget(owner->parentWidget())
    , m_owner(owner)
    , m_color(color)
    , m_radius(radius)
    , m_offset(offset)
    , m_shape(std::move(shape))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QString());
    hide();
    owner->installEventFilter(this);
    connect(owner, &QObject::destroyed, this, [this] {
        hide();
        deleteLater();
    });
    connect(&KVScale::shared(), &KVScale::changed, this, [this] { sync(); });
    sync();
}

void KVDropShadow::setOpacityFunction(std::function<double()> opacity)
{
    m_opacity = std::move(opacity);
    update();
}

void KVDropShadow::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void KVDropShadow::setColorSource(std::function<QColor()> source)
{
    m_colorSource = std::move(source);
    update();
}

QMargins KVDropShadow::margins() const
{
    const QMarginsF m = KVShadow::reach(KVScale::pt(m_radius), m_offset * KVScale::factor());
    return QMargins(int(std::ceil(m.left())), int(std::ceil(m.top())), int(std::ceil(m.right())),
                    int(std::ceil(m.bottom())));
}

void KVDropShadow::sync()
{
    if (!m_owner)
        return;
    if (parentWidget() != m_owner->parentWidget()) {
        setParent(m_owner->parentWidget());
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    if (!parentWidget() || m_owner->isWindow()) {
        hide();
        return;
    }
    setGeometry(m_owner->geometry().marginsAdded(margins()));
    lower();
    setVisible(m_owner->isVisibleTo(parentWidget()));
    update();
}

bool KVDropShadow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_owner) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
        case QEvent::ParentChange:
        case QEvent::ZOrderChange:
            sync();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void KVDropShadow::paintEvent(QPaintEvent *)
{
    if (!m_owner || !m_shape)
        return;
    const double opacity = m_opacity ? m_opacity() : 1.0;
    if (opacity <= 0)
        return;
    QPainter p(this);
    p.setOpacity(opacity);
    const QMargins m = margins();
    p.translate(m.left(), m.top());
    KVShadow::paint(p, m_shape(), m_colorSource ? m_colorSource() : m_color, KVScale::pt(m_radius), m_offset * KVScale::factor());
}
