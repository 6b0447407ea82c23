#include "reportmenu.h"

#include "look/fvpalette.h"
#include "reportcommands.h"

#include <QMenu>

ReportMenu::ReportMenu(const GarageVehicle &vehicle, const QStringList &extra, const QString &title, QWidget *parent)
    : GaragePlainButton(QStringLiteral("doc.richtext"), title, 12.5, QFont::DemiBold, false, parent)
    , m_vehicle(vehicle)
    , m_extra(extra)
{
    setObjectName(QStringLiteral("reportMenu"));
    setToolTip(QStringLiteral("A printable PDF of this vehicle's trouble codes for you and your mechanic."));
    setColor(FVPalette::current().accentText());
    addEntries(ensureMenu(), m_vehicle, m_extra);
}

void ReportMenu::setVehicle(const GarageVehicle &vehicle)
{
    if (vehicle == m_vehicle)
        return;
    m_vehicle = vehicle;
    addEntries(clearedMenu(), m_vehicle, m_extra);
}

QString ReportMenu::defaultTitle()
{
    return QStringLiteral("Trouble Code Report (PDF)");
}

void ReportMenu::addEntries(QMenu *menu, const GarageVehicle &vehicle, const QStringList &extra)
{
    QObject::connect(menu->addAction(QStringLiteral("Save as PDF…")), &QAction::triggered, menu,
                     [vehicle, extra] { ReportCommands::runSave(vehicle, extra); });
    QObject::connect(menu->addAction(QStringLiteral("Print…")), &QAction::triggered, menu,
                     [vehicle, extra] { ReportCommands::runPrint(vehicle, extra); });
    QObject::connect(menu->addAction(QStringLiteral("Share…")), &QAction::triggered, menu,
                     [vehicle, extra] { ReportCommands::runShare(vehicle, extra); });
}
