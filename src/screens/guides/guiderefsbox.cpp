#include "guiderefsbox.h"

#include "kit/kvlinklabel.h"
#include "kit/kvtextlabel.h"
#include "look/fvpalette.h"
#include "look/gaugelabel.h"
#include "ptlayout.h"
#include "screenbits.h"
#include "sourcelinks.h"

#include <QVBoxLayout>

GuideRefsBox::GuideRefsBox(const Guide &g, const QHash<QString, SourceRef> &sources, QWidget *parent)
    : Bezel(parent)
{
    setObjectName(QStringLiteral("refsBox"));
    auto *content = new QWidget;
    auto *column = PtLayout::column(content, 4);
    column->addWidget(new GaugeLabel(QStringLiteral("Public references")));
    for (const SourceLinks::Link &l : SourceLinks::listed(g.sources, sources))
        column->addWidget(ScreenBits::link(l.text, l.url, 12));
    auto *closing = ScreenBits::wrapped(SourceLinks::guideClosing(), 11, QFont::Normal, FVPalette::current().dim);
    closing->setObjectName(QStringLiteral("refsClosing"));
    column->addWidget(closing);
    setContent(content);
}
