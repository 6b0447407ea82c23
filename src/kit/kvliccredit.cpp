#include "kvliccredit.h"

#include "kvaboutwindow.h"
#include "kvfont.h"
#include "kvrnkithost.h"
#include "kvscale.h"
#include "kvscalewatch.h"

KVLicCredit::KVLicCredit(QWidget *parent)
    : KVLinkLabel(creditText(), KVRNKitHost::creditURL(), parent)
{
    applyFont();
    KVScaleWatch::follow(this, [this] { applyFont(); });
}

QString KVLicCredit::creditText()
{
    return KVRNAbout::creditLine() + QStringLiteral(" \u00B7 ") + KVRNKitHost::creditURL().host();
}

void KVLicCredit::applyFont()
{
    QFont f = font();
    f.setWeight(QFont::DemiBold);
    KVFont::setPixelSizeF(f, KVScale::pt(11));
    setFont(f);
}
