#include "draftlabel.h"

#include "fvpalette.h"

DraftLabel::DraftLabel(QWidget *parent)
    : Tag(labelText(), FVPalette::draft(), QStringLiteral("wrench.and.screwdriver.fill"), parent)
{
}

QString DraftLabel::labelText()
{
    return QStringLiteral("Draft \u2014 under technician review");
}
