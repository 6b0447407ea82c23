#pragma once

#include <QCoreApplication>

// Lets posted events and zero-time timers run a few rounds, so that work a
// widget schedules for the next turn of the event loop is done.
inline void settle()
{
    for (int i = 0; i < 4; ++i)
        QCoreApplication::processEvents();
}
