#include "garagebody.h"

#include "app/appmodel.h"
#include "app/modelobserver.h"
#include "garage/garageactions.h"
#include "garage/garageexporterror.h"
#include "garage/garagestore.h"
#include "garagecard.h"
#include "garagecodepanel.h"
#include "garagedialogs.h"
#include "garagelistrow.h"
#include "garagerules.h"
#include "garageservicepanel.h"
#include "garagewell.h"
#include "kit/kvchromebutton.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvtextlabel.h"
#include "look/bezel.h"
#include "look/columnscroll.h"
#include "look/fvpalette.h"
#include "look/gaugelabel.h"
#include "look/reflowrow.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

GarageBody::GarageBody(GarageStore &g, AppModel &m, QWidget *parent)
    : QWidget(parent)
    , m_store(g)
    , m_model(m)
    , m_observer(new ModelObserver(this, [this] { refresh(); }))
{
    setObjectName(QStringLiteral("garageBody"));
    auto *row = new QBoxLayout(QBoxLayout::LeftToRight, this);
    row->addWidget(buildLeft(), 0);
    row->addWidget(buildRight(), 1);
    // A narrow screen (a small window, a large zoom) puts the list on top.
    m_reflow = new ReflowRow(this, row, 300 + 16 + 560 + 40, [this](bool) { fitColumns(); });
    applyMetrics();
    KVScaleWatch::follow(this, [this] { applyMetrics(); });

    m_observer->watchModel(m_model, {AppModel::Field::SelectedGarage, AppModel::Field::Data});
    m_observer->watchGarage(&m_store);
    m_observer->refreshNow();
}

QWidget *GarageBody::buildLeft()
{
    m_left = new QWidget;
    m_left->setObjectName(QStringLiteral("garageList"));
    m_leftBox = new QVBoxLayout(m_left);
    m_leftBox->setContentsMargins(0, 0, 0, 0);
    m_leftBox->addWidget(new GaugeLabel(QStringLiteral("Your vehicles")), 0, Qt::AlignLeft);

    auto *list = new QWidget;
    m_listBox = new QVBoxLayout(list);
    m_listBox->setContentsMargins(0, 0, 0, 0);
    m_listEmpty = new KVTextLabel(GarageRules::listEmpty(), 12);
    m_listEmpty->setObjectName(QStringLiteral("listEmpty"));
    m_listEmpty->setWordWrap(true);
    m_listEmpty->setColor(FVPalette::current().dim);
    m_listBox->addWidget(m_listEmpty);
    auto *inner = new QWidget;
    auto *innerBox = new QVBoxLayout(inner);
    innerBox->setContentsMargins(0, 0, 0, 0);
    innerBox->addWidget(list);
    innerBox->addStretch(1);
    m_leftBox->addWidget(new GarageWell(new ColumnScroll(inner), 16, 0.25, 4), 1);

    m_export = new KVChromeButton(QStringLiteral("Export My Garage…"), true, false);
    m_export->setObjectName(QStringLiteral("export"));
    m_export->setToolTip(QStringLiteral("Saves My Garage as a spreadsheet (CSV) and a printable web page."));
    m_leftBox->addWidget(m_export, 0, Qt::AlignLeft);
    m_exportNote = new KVTextLabel(11);
    m_exportNote->setObjectName(QStringLiteral("exportNote"));
    m_exportNote->setWordWrap(true);
    m_exportNote->setColor(FVPalette::current().dim);
    m_exportNote->hide();
    m_leftBox->addWidget(m_exportNote);
    connect(m_export, &QAbstractButton::clicked, this, [this] { exportGarage(); });
    return m_left;
}

QWidget *GarageBody::buildRight()
{
    auto *column = new QWidget;
    m_rightBox = new QVBoxLayout(column);
    m_rightBox->setContentsMargins(0, 0, 0, 0);

    m_vehicleBox = new QWidget;
    auto *stack = new QVBoxLayout(m_vehicleBox);
    stack->setContentsMargins(0, 0, 0, 0);
    m_card = new GarageCard(m_store, m_model);
    m_codes = new GarageCodePanel(m_store, m_model);
    m_service = new GarageServicePanel(m_store);
    stack->addWidget(m_card);
    stack->addWidget(m_codes);
    stack->addWidget(m_service);
    m_rightBox->addWidget(m_vehicleBox);

    auto *empty = new Bezel;
    empty->setObjectName(QStringLiteral("noVehicle"));
    auto *emptyText = new KVTextLabel(GarageRules::cardEmpty(), 14);
    emptyText->setWordWrap(true);
    empty->setContent(emptyText);
    m_noVehicle = empty;
    m_rightBox->addWidget(m_noVehicle);
    return new ColumnScroll(column);
}

void GarageBody::applyMetrics()
{
    const int pad = KVScale::ipt(20);
    layout()->setContentsMargins(pad, pad, pad, pad);
    layout()->setSpacing(KVScale::ipt(16));
    fitColumns();
    m_leftBox->setSpacing(KVScale::ipt(8));
    m_listBox->setSpacing(KVScale::ipt(2));
    const int p8 = KVScale::ipt(8);
    m_listEmpty->setContentsMargins(p8, p8, p8, p8);
    m_rightBox->setContentsMargins(0, 0, 0, KVScale::ipt(20));
    m_rightBox->setSpacing(KVScale::ipt(14));
    m_vehicleBox->layout()->setSpacing(KVScale::ipt(14));
}

void GarageBody::fitColumns()
{
    auto *row = static_cast<QBoxLayout *>(layout());
    if (m_reflow && m_reflow->stacked()) {
        // One scrolling column: the list, only as tall as a few rows, above the card.
        if (row->indexOf(m_left) >= 0) {
            row->removeWidget(m_left);
            m_rightBox->insertWidget(0, m_left);
        }
        m_left->setMinimumWidth(0);
        m_left->setMaximumWidth(QWIDGETSIZE_MAX);
        m_left->setFixedHeight(KVScale::ipt(listHeightPoints(m_rows.size())));
    } else {
        if (m_rightBox->indexOf(m_left) >= 0) {
            m_rightBox->removeWidget(m_left);
            row->insertWidget(0, m_left, 0);
        }
        m_left->setMinimumHeight(0);
        m_left->setMaximumHeight(QWIDGETSIZE_MAX);
        m_left->setFixedWidth(KVScale::ipt(300));
    }
}

double GarageBody::listHeightPoints(qsizetype rows)
{
    // Heading, export button and spacing, then up to three rows of the list.
    return 16 + 8 + 36 + 8 + 16 + 54 * double(std::clamp<qsizetype>(rows, 1, 3));
}

void GarageBody::choose(qint64 id)
{
    m_model.setSelectedGarage(id);
    m_card->draft().drop();
    m_observer->refreshNow();
}

void GarageBody::syncRows()
{
    const QList<GarageVehicle> &vehicles = m_store.vehicles();
    const std::optional<GarageVehicle> shown = GarageRules::shownVehicle(vehicles, m_model.selectedGarage());
    bool same = m_rows.size() == vehicles.size();
    for (qsizetype i = 0; same && i < vehicles.size(); ++i)
        same = m_rows[i]->id() == vehicles[i].id;
    if (!same) {
        const bool hadFocus = std::any_of(m_rows.begin(), m_rows.end(), [](auto *r) { return r->hasFocus(); });
        for (GarageListRow *r : m_rows) {
            r->hide();
            r->deleteLater();
        }
        m_rows.clear();
        for (const GarageVehicle &v : vehicles) {
            const qint64 id = v.id;
            auto *r = new GarageListRow(id, false, [this, id] { choose(id); });
            m_listBox->insertWidget(m_listBox->count() - 1, r);
            m_rows << r;
        }
        if (hadFocus && !m_rows.isEmpty())
            m_rows.first()->setFocus(Qt::OtherFocusReason);
        fitColumns();
    }
    for (qsizetype i = 0; i < vehicles.size(); ++i) {
        m_rows[i]->setTexts(vehicles[i].title, vehicles[i].nickname);
        m_rows[i]->setSelected(shown && shown->id == vehicles[i].id);
    }
    m_listEmpty->setVisible(vehicles.isEmpty());
}

void GarageBody::refresh()
{
    syncRows();
    const std::optional<GarageVehicle> shown = GarageRules::shownVehicle(m_store.vehicles(), m_model.selectedGarage());
    m_vehicleBox->setVisible(shown.has_value());
    m_noVehicle->setVisible(!shown);
    m_card->showVehicle(shown);
    if (shown) {
        m_codes->showVehicle(*shown);
        m_service->showVehicle(*shown);
    }
    orderTabs();
}

void GarageBody::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    orderTabs();
}

void GarageBody::orderTabs()
{
    // Rows made later than the panels would otherwise come last.
    QList<QWidget *> chain;
    for (GarageListRow *r : m_rows)
        chain << r;
    chain << m_export << m_card->tabChain() << m_codes->tabChain() << m_service->tabChain();
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void GarageBody::exportGarage()
{
    const std::optional<QString> folder = GarageDialogs::chooseFolder(window());
    if (!folder)
        return;
    QString note;
    try {
        note = GarageRules::exportNote(GarageActions::exportTo(m_store, *folder), *folder);
    } catch (const GarageExportError &e) {
        note = GarageRules::exportFailed(e.description());
    }
    m_exportNote->setPlain(note);
    m_exportNote->show();
}

QString GarageBody::exportNoteText() const
{
    return m_exportNote->isHidden() ? QString() : m_exportNote->text();
}

QString GarageBody::listEmptyText() const
{
    return m_listEmpty->isHidden() ? QString() : m_listEmpty->text();
}

bool GarageBody::showsVehicle() const
{
    return !m_vehicleBox->isHidden();
}
