#include "ptlayout.h"

#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QVBoxLayout>

namespace {

template <typename Box>
Box *zoomed(Box *box, double spacing, QWidget *watcher)
{
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(KVScale::ipt(spacing));
    QPointer<Box> guard(box);
    KVScaleWatch::follow(watcher, [guard, spacing] {
        if (guard)
            guard->setSpacing(KVScale::ipt(spacing));
    });
    return box;
}

} // namespace

QVBoxLayout *PtLayout::column(QWidget *owner, double spacing)
{
    return zoomed(new QVBoxLayout(owner), spacing, owner);
}

QHBoxLayout *PtLayout::row(QWidget *owner, double spacing)
{
    return zoomed(new QHBoxLayout(owner), spacing, owner);
}

QVBoxLayout *PtLayout::column(double spacing, QWidget *watcher)
{
    return zoomed(new QVBoxLayout, spacing, watcher);
}

QHBoxLayout *PtLayout::row(double spacing, QWidget *watcher)
{
    return zoomed(new QHBoxLayout, spacing, watcher);
}

void PtLayout::margins(QBoxLayout *layout, QWidget *watcher, double left, double top, double right, double bottom)
{
    auto apply = [left, top, right, bottom](QBoxLayout *l) {
        l->setContentsMargins(KVScale::ipt(left), KVScale::ipt(top), KVScale::ipt(right), KVScale::ipt(bottom));
    };
    apply(layout);
    QPointer<QBoxLayout> guard(layout);
    KVScaleWatch::follow(watcher, [guard, apply] {
        if (guard)
            apply(guard);
    });
}
