#include "garageview.h"

#include "app/appmodel.h"
#include "app/modelobserver.h"
#include "garagebody.h"
#include "garagerules.h"
#include "kit/kvscale.h"
#include "kit/kvtextlabel.h"
#include "look/bezel.h"

#include <QTimer>
#include <QVBoxLayout>

GarageView::GarageView(QWidget *parent)
    : GarageView(AppModel::shared(), parent)
{
}

GarageView::GarageView(AppModel &m, QWidget *parent)
    : QWidget(parent)
    , m_model(m)
    , m_retry(new QTimer(this))
{
    setObjectName(QStringLiteral("garage"));
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    // A garage that was busy opens on a later ask (at most once a second).
    m_retry->setInterval(1000);
    connect(m_retry, &QTimer::timeout, this, [this] { m_model.garage(); });
    auto *observer = new ModelObserver(this, [this] { build(); });
    observer->watchModel(m_model, {AppModel::Field::Garage, AppModel::Field::GarageError});
    build();
}

void GarageView::build()
{
    GarageStore *g = m_model.garage();
    if (m_body || (!g && m_panel && m_error == GarageRules::errorPanelText(m_model.garageError())))
        return;
    auto *box = static_cast<QVBoxLayout *>(layout());
    if (m_panel) {
        m_panel->hide();
        m_panel->deleteLater();
        m_panel = nullptr;
    }
    while (QLayoutItem *item = box->takeAt(0))
        delete item;
    if (g) {
        m_retry->stop();
        m_error.clear();
        box->setContentsMargins(0, 0, 0, 0);
        m_body = new GarageBody(*g, m_model);
        box->addWidget(m_body);
        setFocusProxy(m_body);
        return;
    }
    m_error = GarageRules::errorPanelText(m_model.garageError());
    const int pad = KVScale::ipt(20);
    box->setContentsMargins(pad, pad, pad, pad);
    m_panel = new QWidget;
    auto *col = new QVBoxLayout(m_panel);
    col->setContentsMargins(0, 0, 0, 0);
    auto *panel = new Bezel;
    auto *label = new KVTextLabel(m_error, 14);
    label->setObjectName(QStringLiteral("garageError"));
    label->setWordWrap(true);
    panel->setContent(label);
    col->addWidget(panel);
    col->addStretch(1);
    box->addWidget(m_panel);
    m_retry->start();
}
