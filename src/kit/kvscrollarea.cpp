#include "kvscrollarea.h"

#include "kvscale.h"

#include <QApplication>
#include <algorithm>
#include <QFocusEvent>
#include <QList>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Reveals each control that takes the focus from the keyboard.
class FocusFollower final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::FocusIn || !watched->isWidgetType())
            return false;
        switch (static_cast<QFocusEvent *>(event)->reason()) {
        case Qt::MouseFocusReason:
        case Qt::PopupFocusReason:
        case Qt::ActiveWindowFocusReason:
            return false;
        default:
            break;
        }
        QPointer<QWidget> w = static_cast<QWidget *>(watched);
        const int margin = KVScale::ipt(8);
        KVScrollArea::reveal(w, margin);
        // Again once layouts that the move set off (a row shown) have run.
        QTimer::singleShot(0, w, [w, margin] {
            if (w && w->hasFocus())
                KVScrollArea::reveal(w, margin);
        });
        return false;
    }
};

} // namespace

namespace KVScrollArea {

void followFocus()
{
    static FocusFollower *follower = nullptr;
    if (follower || !qApp)
        return;
    follower = new FocusFollower(qApp);
    qApp->installEventFilter(follower);
}

namespace {

// The scroll bar's new value that brings [lo, hi] with `margin` into the
// window [value, value + page): unchanged where it shows already; a span
// longer than the window moves only when none of it shows.
int revealed(int value, int page, int lo, int hi, int margin)
{
    if (hi - lo + 2 * margin > page) {
        if (hi >= value && lo < value + page)
            return value;
        return lo - std::min(margin, std::max(0, page - (hi - lo)) / 2);
    }
    if (lo - margin < value)
        return lo - margin;
    if (hi + margin > value + page)
        return hi + margin - page;
    return value;
}

// The scroll areas whose content holds `w`, innermost first.
QList<QScrollArea *> areasAround(const QWidget *w)
{
    QList<QScrollArea *> out;
    for (QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
        auto *area = qobject_cast<QScrollArea *>(p);
        if (area && area->widget() && area->widget()->isAncestorOf(w))
            out.append(area);
    }
    return out;
}

} // namespace

void reveal(QWidget *w, int margin, const QRect &part)
{
    if (!w)
        return;
    // Inner areas first: an outer one then sees where the inner one put it.
    for (QScrollArea *area : areasAround(w)) {
        const QRect shown = part.isNull() ? w->rect() : part;
        const QRect r(w->mapTo(area->widget(), shown.topLeft()), shown.size());
        const QSize page = area->viewport()->size();
        QScrollBar *v = area->verticalScrollBar();
        QScrollBar *h = area->horizontalScrollBar();
        v->setValue(revealed(v->value(), page.height(), r.top(), r.bottom() + 1, margin));
        // An area that never scrolls sideways is not moved sideways: nothing could move it back.
        if (area->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff)
            h->setValue(revealed(h->value(), page.width(), r.left(), r.right() + 1, margin));
    }
}

bool showsWholeHeight(const QWidget *w)
{
    for (const QScrollArea *area : areasAround(w)) {
        const int top = w->mapTo(area->viewport(), QPoint(0, 0)).y();
        if (top < 0 || top + w->height() > area->viewport()->height())
            return false;
    }
    return true;
}

QScrollArea *plain(QWidget *parent)
{
    auto *scroll = new QScrollArea(parent);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll->setAutoFillBackground(false);
    scroll->viewport()->setAutoFillBackground(false);
    return scroll;
}

QWidget *topHolder(QWidget *content)
{
    auto *holder = new QWidget;
    auto *box = new QVBoxLayout(holder);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(content);
    box->addStretch(1);
    return holder;
}

QScrollArea *around(QWidget *content)
{
    QScrollArea *scroll = plain();
    QWidget *holder = topHolder(content);
    scroll->setWidget(holder);
    // setWidget() turns the fill on.
    holder->setAutoFillBackground(false);
    return scroll;
}

} // namespace KVScrollArea
