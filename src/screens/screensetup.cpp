#include "screensetup.h"

#include "app/appmodel.h"
#include "app/mainwindow.h"
#include "app/netstatus.h"
#include "codesview.h"
#include "complaintchart.h"
#include "creditsview.h"
#include "guidesview.h"
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

namespace {

// The vehicle page with its complaint, recall, investigation and bulletin panels.
QWidget *vehiclePage()
{
    auto *view = new VehicleView();
    AppModel &m = AppModel::shared();
    using S = VehiclePage::Section;
    view->setSection(S::Complaints, new ComplaintChart(m));
    view->setSection(S::Recalls, new RecallList(m));
    view->setSection(S::Investigations, new InvestigationList(m));
    view->setSection(S::Bulletins,
                     new TSBList(m, NetStatus::shared(), HttpClient::network(),
                                 {[view] { return view->showAllTSB(); }, [view](bool on) { view->setShowAllTSB(on); }}));
    return view;
}

} // namespace

void registerAll()
{
    MainWindow::registerScreen(Screen::Home, [] { return new HomeView(); });
    MainWindow::registerScreen(Screen::Vehicle, vehiclePage);
    MainWindow::registerScreen(Screen::Codes, [] { return new CodesView(); });
    MainWindow::registerScreen(Screen::Guides, [] { return new GuidesView(); });
    MainWindow::registerScreen(Screen::Obd1, [] { return new OBD1View(); });
    MainWindow::registerScreen(Screen::Search, [] { return new SearchResultsView(); });
    MainWindow::registerScreen(Screen::Credits, [] { return new CreditsView(); });
    MainWindow::setRecallSheetMaker([](const QString &campaign, std::function<void()> dismiss) -> QWidget * {
        return new RecallSheet(campaign, AppModel::shared(), std::move(dismiss));
    });
}

} // namespace ScreenSetup
