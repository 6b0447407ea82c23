#include "screensetup.h"

#include "app/appmodel.h"
#include "data/vorel.h"
#include "shell/fvsetup.h"
#include "shell/mainwindow.h"
#include "platform/netstatus.h"
#include "codesview.h"
#include "complaintchart.h"
#include "creditsview.h"
#include "guidesview.h"
#include "homerules.h"
#include "homeview.h"
#include "investigationlist.h"
#include "obd1view.h"
#include "platform/httpclient.h"
#include "recalllist.h"
#include "recallsheet.h"
#include "searchresultsview.h"
#include "tsblist.h"
#include "vehicleview.h"

namespace ScreenSetup {

QWidget *vehiclePage(AppModel &m, NetStatus &net, HttpClient &http)
{
    auto *view = new VehicleView(m);
    using S = VehiclePage::Section;
    // The sections take what the page has read instead of reading it again.
    const VehicleRecordsSource read = [view](qint64 id, qint64 year) { return view->recordsFor(id, year); };
    view->setSection(S::Complaints, new ComplaintChart(m, read));
    view->setSection(S::Recalls, new RecallList(m, read));
    view->setSection(S::Investigations, new InvestigationList(m, read));
    auto *bulletins =
        new TSBList(m, net, http, {[view] { return view->showAllTSB(); }, [view](bool on) { view->setShowAllTSB(on); }}, read);
    QObject::connect(view, &VehicleView::showAllTSBChanged, bulletins, &TSBList::showAllChanged);
    view->setSection(S::Bulletins, bulletins);
    return view;
}

void registerAll()
{
    FVSetup::setReadAhead([](Vorel &data) {
        data.readYearsAhead();
        QList<std::pair<QString, QString>> names;
        for (const HomeRules::ExampleRow &row : HomeRules::exampleTable())
            names.append({row.make, row.model});
        data.findAhead(names);
    });
    MainWindow::registerScreen(Screen::Home, [] { return new HomeView(); });
    MainWindow::registerScreen(Screen::Vehicle,
                               [] { return vehiclePage(AppModel::shared(), NetStatus::shared(), HttpClient::network()); });
    MainWindow::registerScreen(Screen::Codes, [] { return new CodesView(); });
    MainWindow::registerScreen(Screen::Guides, [] { return new GuidesView(); });
    MainWindow::registerScreen(Screen::Obd1, [] { return new OBD1View(); });
    MainWindow::registerScreen(Screen::Search, [] { return new SearchResultsView(); }, MainWindow::Keep::Yes);
    MainWindow::registerScreen(Screen::Credits, [] { return new CreditsView(); });
    MainWindow::setRecallSheetMaker([](const QString &campaign, std::function<void()> dismiss) -> QWidget * {
        return new RecallSheet(campaign, AppModel::shared(), std::move(dismiss));
    });
}

} // namespace ScreenSetup
