#include "guiderowdelegate.h"

#include "guidelistmodel.h"
#include "kit/kvscale.h"
#include "listrowlook.h"
#include "look/fvfont.h"
#include "look/fvpalette.h"

#include <QAbstractItemView>
#include <QScrollBar>
#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace {
constexpr double kGap = 10;
constexpr double kPadX = 12;
constexpr double kPadY = 7;
constexpr double kHeadingAbove = 6;

QFont headingFont()
{
    QFont f = FVFont::font(10.5, QFont::Black);
    f.setLetterSpacing(QFont::AbsoluteSpacing, KVScale::pt(1.2));
    return f;
}

QFont titleFont()
{
    return FVFont::font(13, QFont::DemiBold);
}

// The width rows are laid out in: the view's, less a scroll bar whether or
// not one shows, so a row's height holds when the bar comes and goes.
double rowWidth(const QStyleOptionViewItem &option)
{
    if (const auto *view = qobject_cast<const QAbstractItemView *>(option.widget))
        return view->width() - view->verticalScrollBar()->sizeHint().width();
    return option.rect.width();
}

QRectF titleBounds(const QString &title, double width)
{
    const QFontMetricsF fm(titleFont());
    const double inner = std::max(1.0, width - KVScale::pt(2 * kPadX));
    return fm.boundingRect(QRectF(0, 0, inner, 1e6), Qt::TextWordWrap | Qt::AlignLeft, title);
}

} // namespace

GuideRowDelegate::GuideRowDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

QSize GuideRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const double width = rowWidth(option);
    const double gap = KVScale::pt(kGap);
    if (index.data(GuideListModel::HeadingRole).toBool()) {
        const double h = QFontMetricsF(headingFont()).height() + KVScale::pt(kHeadingAbove);
        return QSize(int(width), int(std::ceil(h + gap)));
    }
    const double text = titleBounds(index.data().toString(), width).height();
    return QSize(int(width), int(std::ceil(text + KVScale::pt(2 * kPadY) + gap)));
}

void GuideRowDelegate::paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    p->setRenderHint(QPainter::TextAntialiasing);
    const QRectF r = QRectF(option.rect).adjusted(0, 0, 0, -KVScale::pt(kGap));
    const QString text = index.data().toString();
    if (index.data(GuideListModel::HeadingRole).toBool()) {
        p->setFont(headingFont());
        p->setPen(FVPalette::current().dim);
        p->drawText(r.adjusted(KVScale::pt(4), KVScale::pt(kHeadingAbove), 0, 0), Qt::AlignLeft | Qt::AlignBottom,
                    text);
        p->restore();
        return;
    }
    const bool selected = index.data(GuideListModel::SelectedRole).toBool();
    const auto *view = qobject_cast<const QAbstractItemView *>(option.widget);
    const bool focused = view && view->hasFocus() && view->currentIndex() == index;
    ListRowLook::paintBackground(*p, r, selected, option.state & QStyle::State_MouseOver);
    if (focused)
        ListRowLook::paintFocusRing(*p, r, selected);
    p->setFont(titleFont());
    p->setPen(ListRowLook::foreground(selected));
    p->drawText(r.adjusted(KVScale::pt(kPadX), KVScale::pt(kPadY), -KVScale::pt(kPadX), -KVScale::pt(kPadY)),
                Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignVCenter, text);
    p->restore();
}
