#include "coderowdelegate.h"

#include "codelistmodel.h"
#include "kit/kvmono.h"
#include "kit/kvscale.h"
#include "listrowlook.h"
#include "look/fvfont.h"
#include "look/fvpalette.h"

#include <QAbstractItemView>
#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace {
constexpr double kPadX = 12;
constexpr double kPadY = 7;
constexpr double kGap = 2; // between rows
constexpr double kDot = 8;
constexpr double kSpacing = 8;
constexpr double kCodeSize = 13;
constexpr double kTitleSize = 12;
} // namespace

CodeRowDelegate::CodeRowDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

int CodeRowDelegate::rowHeight()
{
    const double text = std::max(QFontMetricsF(KVMono::font(kCodeSize, QFont::Black)).height(),
                                 QFontMetricsF(FVFont::font(kTitleSize)).height());
    return int(std::ceil(text + KVScale::pt(2 * kPadY + kGap)));
}

QSize CodeRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return QSize(option.rect.width(), rowHeight());
}

void CodeRowDelegate::paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const bool selected = index.data(CodeListModel::SelectedRole).toBool();
    const auto *view = qobject_cast<const QAbstractItemView *>(option.widget);
    const bool focused = view && view->hasFocus() && view->currentIndex() == index;
    const bool hovered = option.state & QStyle::State_MouseOver;

    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    p->setRenderHint(QPainter::TextAntialiasing);
    const double gap = KVScale::pt(kGap);
    const QRectF r = QRectF(option.rect).adjusted(0, gap / 2, 0, -gap / 2);
    ListRowLook::paintBackground(*p, r, selected, hovered);
    if (focused)
        ListRowLook::paintFocusRing(*p, r, selected);

    double x = r.left() + KVScale::pt(kPadX);
    const double right = r.right() - KVScale::pt(kPadX);
    const double cy = r.center().y();
    const double dot = KVScale::pt(kDot);
    const auto level = Seriousness::Level(index.data(CodeListModel::LevelRole).toInt());
    p->setPen(Qt::NoPen);
    p->setBrush(FVPalette::color(Seriousness(level)));
    p->drawEllipse(QRectF(x, cy - dot / 2, dot, dot));
    x += dot + KVScale::pt(kSpacing);

    const QColor fg = ListRowLook::foreground(selected);
    p->setPen(fg);
    const QFont mono = KVMono::font(kCodeSize, QFont::Black);
    const QFontMetricsF mfm(mono);
    const QString code = index.data(Qt::DisplayRole).toString();
    p->setFont(mono);
    p->drawText(QPointF(x, cy - mfm.height() / 2 + mfm.ascent()), code);
    x += mfm.horizontalAdvance(code) + KVScale::pt(kSpacing);

    const QFont titleFont = FVFont::font(kTitleSize);
    const QFontMetricsF tfm(titleFont);
    const QString title = tfm.elidedText(index.data(CodeListModel::TitleRole).toString(), Qt::ElideRight,
                                         std::max(0.0, right - x));
    p->setFont(titleFont);
    p->drawText(QPointF(x, cy - tfm.height() / 2 + tfm.ascent()), title);
    p->restore();
}
