#pragma once

#include "app/appmodel.h"
#include "platform/netstatus.h"
#include "screens/codes/codesview.h"
#include "screens/credits/creditsview.h"
#include "screens/garage/garageview.h"
#include "screens/guides/guidesview.h"
#include "screens/obd1/obd1view.h"
#include "screens/screensetup.h"
#include "screens/search/searchresultsview.h"
#include "screens/start/homeview.h"
#include "shell/mainwindow.h"
#include "vin/vinview.h"

// Every screen of the window on the test's own model and HTTP client.
inline void registerEveryScreen(AppModel &m, HttpClient &http)
{
    MainWindow::clearMakers();
    MainWindow::registerScreen(Screen::Home, [&] { return new HomeView(m); });
    MainWindow::registerScreen(Screen::Vehicle, [&] { return ScreenSetup::vehiclePage(m, NetStatus::shared(), http); });
    MainWindow::registerScreen(Screen::Codes, [&] { return new CodesView(m); });
    MainWindow::registerScreen(Screen::Guides, [&] { return new GuidesView(m); });
    MainWindow::registerScreen(Screen::Obd1, [&] { return new OBD1View(m); });
    MainWindow::registerScreen(Screen::Vin, [&] { return new VINView(m, NetStatus::shared(), http); });
    MainWindow::registerScreen(Screen::Garage, [&] { return new GarageView(m); });
    MainWindow::registerScreen(Screen::Credits, [&] { return new CreditsView(m); });
    MainWindow::registerScreen(Screen::Search, [&] { return new SearchResultsView(m); }, MainWindow::Keep::Yes);
}
