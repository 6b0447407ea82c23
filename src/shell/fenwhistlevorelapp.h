#pragma once

class QWidget;

// The process entry: command-line modes first, else the windowed application.
namespace FenwhistleVorelApp {

// Reads the arguments once, picks the offscreen platform for a command-line
// run, offers the arguments to the command-line modes (Dispatch) and ends with
// the status of the one that takes them; otherwise sets the application up,
// keeps a single running copy and runs the main window until it closes.
int main(int &argc, char **argv);

// The main window of the windowed road.
QWidget *makeMainWindow();

} // namespace FenwhistleVorelApp
