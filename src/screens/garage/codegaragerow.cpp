#include "codegaragerow.h"

#include "app/appmodel.h"
#include "app/modelobserver.h"
#include "garage/garageactions.h"
#include "garage/garagestore.h"
#include "garageplainbutton.h"
#include "garagerules.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvtextlabel.h"
#include "look/fvpalette.h"
#include "look/gaugelabel.h"
#include "look/reflowrow.h"
#include "reportmenu.h"

#include <QHBoxLayout>
#include <QMenu>

CodeGarageRow::CodeGarageRow(GarageStore &g, AppModel &m, const QString &code, QWidget *parent)
    : Bezel(parent)
    , m_store(g)
    , m_model(m)
    , m_code(code)
    , m_observer(new ModelObserver(this, [this] { refresh(); }))
    , m_empty(new KVTextLabel(12))
    , m_save(new GaragePlainButton(QStringLiteral("plus.circle"), QStringLiteral("Save ") + code
                                       + QStringLiteral(" to a vehicle"), 12.5))
    , m_report(new GaragePlainButton(QStringLiteral("doc.richtext"), ReportMenu::defaultTitle(), 12.5))
    , m_savedWith(new KVTextLabel(11.5))
{
    setObjectName(QStringLiteral("codeGarageRow"));
    const FVPalette pal = FVPalette::current();
    m_empty->setObjectName(QStringLiteral("garageEmpty"));
    m_empty->setPlain(QStringLiteral("Add a vehicle to My Garage to save this code and make a Trouble Code Report (PDF)."));
    m_empty->setColor(pal.dim);
    m_empty->setWordWrap(true);
    m_save->setObjectName(QStringLiteral("saveMenu"));
    m_save->setColor(pal.accentText());
    m_save->setToolTip(QStringLiteral("Keeps this code with the vehicle for its Trouble Code Report."));
    m_save->ensureMenu();
    m_report->setObjectName(QStringLiteral("reportMenu"));
    m_report->setColor(pal.accentText());
    m_report->setToolTip(QStringLiteral("Makes the vehicle's report and includes ") + code + QLatin1Char('.'));
    m_report->ensureMenu();
    m_savedWith->setObjectName(QStringLiteral("savedWith"));
    m_savedWith->setColor(pal.dim);
    m_savedWith->setWordWrap(true);

    auto *content = new QWidget;
    auto *row = new QHBoxLayout(content);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new GaugeLabel(QStringLiteral("My Garage")), 0, Qt::AlignVCenter);
    row->addWidget(m_empty, 1, Qt::AlignVCenter);
    row->addWidget(m_save, 0, Qt::AlignVCenter);
    row->addWidget(m_report, 0, Qt::AlignVCenter);
    row->addWidget(m_savedWith, 1, Qt::AlignVCenter);
    row->addStretch(0);
    setContent(content);
    auto metrics = [row] { row->setSpacing(KVScale::ipt(14)); };
    metrics();
    KVScaleWatch::follow(this, metrics);
    // A narrow pane puts the heading, the commands and the note under one
    // another, the commands at the left.
    new ReflowRow(content, row, 560, [row, commands = QList<QWidget *>{m_save, m_report}](bool stacked) {
        const Qt::Alignment wanted = stacked ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignVCenter;
        for (QWidget *w : commands) {
            if (row->itemAt(row->indexOf(w))->alignment() != wanted)
                row->setAlignment(w, wanted);
        }
    });

    m_observer->watchGarage(&m_store);
    m_observer->refreshNow();
}

void CodeGarageRow::saveTo(qint64 garageID)
{
    if (GarageActions::addCode(m_code, garageID, m_store, QString()))
        m_model.setSelectedGarage(garageID);
}

void CodeGarageRow::refresh()
{
    const QList<GarageVehicle> &vehicles = m_store.vehicles();
    const bool any = !vehicles.isEmpty();
    m_empty->setVisible(!any);
    m_save->setVisible(any);
    m_report->setVisible(any);

    QMenu *save = m_save->clearedMenu();
    QMenu *report = m_report->clearedMenu();
    for (const GarageVehicle &v : vehicles) {
        const QString name = GarageRules::menuText(GarageRules::displayName(v));
        const qint64 id = v.id;
        connect(save->addAction(name), &QAction::triggered, this, [this, id] { saveTo(id); });
        ReportMenu::addEntries(report->addMenu(name), v, {m_code});
    }

    const QStringList titles = GarageRules::savedWith(m_code, m_store.codes(), vehicles);
    m_savedWith->setPlain(titles.isEmpty() ? QString() : GarageRules::savedWithLine(titles));
    m_savedWith->setVisible(any && !titles.isEmpty());
}

QString CodeGarageRow::emptyText() const
{
    return m_empty->isHidden() ? QString() : m_empty->text();
}

QString CodeGarageRow::savedWithText() const
{
    return m_savedWith->isHidden() ? QString() : m_savedWith->text();
}
