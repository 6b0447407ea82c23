#include "garageview.h"

#include "app/appmodel.h"
#include "garagebody.h"
#include "garagerules.h"
#include "kit/kvscale.h"
#include "kit/kvtextlabel.h"
#include "look/bezel.h"

#include <QVBoxLayout>

GarageView::GarageView(QWidget *parent)
    : GarageView(AppModel::shared(), parent)
{
}

GarageView::GarageView(AppModel &m, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("garage"));
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    if (GarageStore *g = m.garage()) {
        m_body = new GarageBody(*g, m);
        box->addWidget(m_body);
        setFocusProxy(m_body);
        return;
    }
    m_error = GarageRules::errorPanelText(m.garageError());
    const int pad = KVScale::ipt(20);
    box->setContentsMargins(pad, pad, pad, pad);
    auto *panel = new Bezel;
    auto *label = new KVTextLabel(m_error, 14);
    label->setObjectName(QStringLiteral("garageError"));
    label->setWordWrap(true);
    panel->setContent(label);
    box->addWidget(panel);
    box->addStretch(1);
}
