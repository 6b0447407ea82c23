#include "guidesafetybox.h"

#include "kit/kvlinklabel.h"
#include "kit/kvsymbolview.h"
#include "kit/kvtextlabel.h"
#include "look/fvpalette.h"
#include "look/gaugelabel.h"
#include "ptlayout.h"
#include "screenbits.h"
#include "sourcelinks.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

GuideSafetyBox::GuideSafetyBox(const Guide &g, const QHash<QString, SafetyNote> &safety,
                               const QHash<QString, SourceRef> &sources, QWidget *parent)
    : Bezel(parent)
{
    setObjectName(QStringLiteral("safetyBox"));
    auto *content = new QWidget;
    auto *column = PtLayout::column(content, 8);
    column->addWidget(new GaugeLabel(QStringLiteral("Safety first"), FVPalette::red()));
    for (const SafetyNote &note : SourceLinks::notes(g.safety, safety)) {
        auto *row = PtLayout::row(8, content);
        auto *mark = new KVSymbolView(QStringLiteral("exclamationmark.triangle.fill"));
        mark->setPoints(13);
        mark->setColor(FVPalette::amberText());
        row->addWidget(mark, 0, Qt::AlignTop);
        auto *text = PtLayout::column(1, content);
        auto *title = ScreenBits::wrapped(note.title, 13, QFont::Bold);
        title->setObjectName(QStringLiteral("safetyTitle"));
        text->addWidget(title);
        text->addWidget(ScreenBits::wrapped(note.text, 12.5));
        if (const auto source = SourceLinks::noteSource(note, sources))
            text->addWidget(ScreenBits::link(source->text, source->url, 10.5));
        row->addLayout(text, 1);
        column->addLayout(row);
    }
    setContent(content);
}
