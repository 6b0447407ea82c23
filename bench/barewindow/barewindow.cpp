// A Qt Widgets program that links nothing else and shows one empty window of
// 1440 by 920, offscreen: bench_ui's start-up baseline. It prints the time
// from FV_BENCH_SPAWNED (steady clock, ns) to the end of its first painted
// frame, in ms, and quits.

#include "firstpaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
    QApplication application(argc, argv);
    FirstPaint first;
    QWidget window;
    window.resize(1440, 920);
    application.installEventFilter(&first);
    window.show();
    return QApplication::exec();
}
