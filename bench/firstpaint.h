#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <chrono>
#include <cstdio>

// Installed on the application before a window shows: once its first frame
// is painted, prints the time in ms from the parent's start of this process
// (FV_BENCH_SPAWNED, steady clock ns) and quits.
class FirstPaint : public QObject
{
protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && o->isWidgetType() && !m_painted) {
            m_painted = true;
            // Runs once the paint that began here, the whole frame, is done.
            QTimer::singleShot(0, [] {
                const qint64 spawned = qgetenv("FV_BENCH_SPAWNED").toLongLong();
                const qint64 now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                       std::chrono::steady_clock::now().time_since_epoch())
                                       .count();
                std::printf("%.3f\n", double(now - spawned) / 1e6);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool m_painted = false;
};
