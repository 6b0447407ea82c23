#include "tagflow.h"

#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"

#include <QResizeEvent>

TagFlow::TagFlow(double spacing, QWidget *parent)
    : QWidget(parent)
    , m_spacing(spacing)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    KVScaleWatch::follow(this, [this] { place(width(), true); });
}

void TagFlow::add(QWidget *chip)
{
    chip->setParent(this);
    m_chips.append(chip);
    chip->show();
    updateGeometry();
}

void TagFlow::relayout()
{
    updateGeometry();
    place(width(), true);
}

int TagFlow::place(int width, bool apply) const
{
    const int gap = KVScale::ipt(m_spacing);
    int y = 0;
    int x = 0;
    int lineHeight = 0;
    QList<QWidget *> line;
    auto finishLine = [&] {
        if (apply) {
            for (QWidget *c : line) {
                const QSize s = c->sizeHint();
                c->setGeometry(c->x(), y + (lineHeight - s.height()) / 2, s.width(), s.height());
            }
        }
        y += lineHeight;
        line.clear();
    };
    for (QWidget *c : m_chips) {
        if (c->isHidden())
            continue;
        const QSize s = c->sizeHint();
        if (!line.isEmpty() && x + s.width() > width) {
            finishLine();
            y += gap;
            x = 0;
            lineHeight = 0;
        }
        if (apply)
            c->move(x, 0);
        line.append(c);
        x += s.width() + gap;
        lineHeight = std::max(lineHeight, s.height());
    }
    if (!line.isEmpty())
        finishLine();
    return y;
}

int TagFlow::heightForWidth(int width) const
{
    return place(width, false);
}

QSize TagFlow::sizeHint() const
{
    const int gap = KVScale::ipt(m_spacing);
    int w = 0;
    for (QWidget *c : m_chips) {
        if (!c->isHidden())
            w += c->sizeHint().width() + (w ? gap : 0);
    }
    return QSize(w, place(w, false));
}

QSize TagFlow::minimumSizeHint() const
{
    int w = 0;
    for (QWidget *c : m_chips) {
        if (!c->isHidden())
            w = std::max(w, c->sizeHint().width());
    }
    return QSize(w, place(w, false));
}

void TagFlow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    place(event->size().width(), true);
}
