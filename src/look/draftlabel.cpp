#include "draftlabel.h"

#include "fvpalette.h"
#include "platform/fvinfo.h"

DraftLabel::DraftLabel(QWidget *parent)
    : Tag(labelText(), FVPalette::draft(), QStringLiteral("wrench.and.screwdriver.fill"), parent)
{
}

QString DraftLabel::labelText()
{
    return FVInfo::draftLabel();
}
