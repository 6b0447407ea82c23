#include "kvhelptopicrow.h"

#include "kvfocusring.h"
#include "kvfont.h"
#include "kvkittheme.h"
#include "kvrnkithost.h"
#include "kvscale.h"
#include "kvscalewatch.h"
#include "kvshape.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace {
constexpr double kTextSize = 13;
constexpr double kPadX = 10;
constexpr double kPadY = 7;
constexpr double kRadius = 10;
} // namespace

KVHelpTopicRow::KVHelpTopicRow(const QString &topicID, const QString &title, bool current, QWidget *parent)
    : QAbstractButton(parent)
    , m_id(topicID)
    , m_title(title)
    , m_current(current)
{
    setText(title);
    setAccessibleName(title);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    // Not Fixed: a fixed height would be the one-line hint, and a title that
    // wraps would spill out of its highlight.
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    KVScaleWatch::follow(this);
}

void KVHelpTopicRow::setCurrent(bool current)
{
    if (current == m_current)
        return;
    m_current = current;
    updateGeometry();
    update();
}

QFont KVHelpTopicRow::titleFont() const
{
    return KVFont::rounded(kTextSize, m_current ? QFont::Bold : QFont::Medium);
}

QSize KVHelpTopicRow::sizeHint() const
{
    const QFontMetricsF fm(titleFont());
    return QSize(int(std::ceil(fm.horizontalAdvance(m_title) + 2 * KVScale::pt(kPadX))),
                 int(std::ceil(fm.height() + 2 * KVScale::pt(kPadY))));
}

QSize KVHelpTopicRow::minimumSizeHint() const
{
    return QSize(int(std::ceil(2 * KVScale::pt(kPadX))), sizeHint().height());
}

int KVHelpTopicRow::heightForWidth(int width) const
{
    const double textWidth = std::max(1.0, width - 2 * KVScale::pt(kPadX));
    const QRectF bounds = QFontMetricsF(titleFont()).boundingRect(QRectF(0, 0, textWidth, 1e6),
                                                                  Qt::TextWordWrap, m_title);
    return int(std::ceil(bounds.height() + 2 * KVScale::pt(kPadY)));
}

void KVHelpTopicRow::paintEvent(QPaintEvent *)
{
    const KVKitTheme theme = KVRNKitHost::theme()();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF r(rect());
    if (m_current)
        p.fillPath(KVShape::roundedRect(r, KVScale::pt(kRadius)), theme.accentFill(0.8, 0.8).first());
    p.setFont(titleFont());
    p.setPen(m_current ? theme.onAccent : theme.text);
    const QRectF textRect = r.adjusted(KVScale::pt(kPadX), 0, -KVScale::pt(kPadX), 0);
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, m_title);
    if (hasFocus())
        KVFocusRing::paint(p, r, kRadius);
}
