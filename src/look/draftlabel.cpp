#include "draftlabel.h"

#include "fvinfo.h"
#include "fvpalette.h"

DraftLabel::DraftLabel(QWidget *parent)
    : Tag(labelText(), FVPalette::draft(), QStringLiteral("wrench.and.screwdriver.fill"), parent)
{
}

QString DraftLabel::labelText()
{
    return FVInfo::draftLabel();
}
