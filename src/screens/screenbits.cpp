#include "screenbits.h"

#include "kit/kvlinklabel.h"
#include "kit/kvscalewatch.h"
#include "kit/kvtextlabel.h"
#include "look/bezel.h"
#include "look/fvfont.h"

KVTextLabel *ScreenBits::wrapped(const QString &text, double points, QFont::Weight weight, const QColor &color)
{
    auto *label = new KVTextLabel(text, points, weight);
    label->setWordWrap(true);
    label->setColor(color);
    return label;
}

KVLinkLabel *ScreenBits::link(const QString &text, const QUrl &url, double points)
{
    auto *label = new KVLinkLabel(text, url);
    label->setWordWrap(true);
    label->setFont(FVFont::font(points));
    KVScaleWatch::follow(label, [label, points] { label->setFont(FVFont::font(points)); });
    return label;
}

Bezel *ScreenBits::bezel(QWidget *content, double radius, double padding)
{
    auto *b = new Bezel(radius, padding);
    b->setContent(content);
    return b;
}
