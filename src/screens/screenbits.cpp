#include "screenbits.h"

#include "kit/kvlinklabel.h"
#include "kit/kvscalewatch.h"
#include "kit/kvtextlabel.h"
#include "look/bezel.h"
#include "look/fvfont.h"

#include <QFontMetrics>
#include <QHBoxLayout>

KVTextLabel *ScreenBits::wrapped(const QString &text, double points, QFont::Weight weight, const QColor &color)
{
    auto *label = new KVTextLabel(text, points, weight);
    label->setWordWrap(true);
    label->setColor(color);
    return label;
}

namespace {

// A wrapping link that asks for its whole text on one line and wraps only
// when the row is narrower.
class WrappingLink final : public KVLinkLabel
{
public:
    using KVLinkLabel::KVLinkLabel;

    QSize sizeHint() const override
    {
        const QFontMetrics fm(font());
        const int w = fm.horizontalAdvance(text()) + 2 * margin() + 2;
        return QSize(w, heightForWidth(w));
    }
};

} // namespace

QWidget *ScreenBits::link(const QString &text, const QUrl &url, double points)
{
    auto *row = new QWidget;
    auto *box = new QHBoxLayout(row);
    box->setContentsMargins(0, 0, 0, 0);
    auto *label = new WrappingLink(text, url);
    label->setWordWrap(true);
    label->setFont(FVFont::font(points));
    KVScaleWatch::follow(label, [label, points] { label->setFont(FVFont::font(points)); });
    box->addWidget(label);
    box->addStretch(1);
    return row;
}

Bezel *ScreenBits::bezel(QWidget *content, double radius, double padding)
{
    auto *b = new Bezel(radius, padding);
    b->setContent(content);
    return b;
}
