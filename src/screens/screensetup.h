#pragma once

class AppModel;
class HttpClient;
class NetStatus;
class QWidget;

// Hands the main window the makers of the screens this library builds.
namespace ScreenSetup {

void registerAll();
// The vehicle page with its complaint, recall, investigation and bulletin panels.
QWidget *vehiclePage(AppModel &model, NetStatus &net, HttpClient &http);

} // namespace ScreenSetup
