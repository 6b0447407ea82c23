#include "reportjob.h"

#include "kit/kvnote.h"

#include <QApplication>
#include <QPointer>
#include <QThread>

namespace ReportJob {

namespace {

bool &running()
{
    static bool flag = false;
    return flag;
}

} // namespace

bool busy()
{
    return running();
}

bool run(QWidget *control, const QString &busyText, std::function<void()> work, std::function<void()> then)
{
    if (running())
        return false;
    running() = true;
    QPointer<KVNote> note = KVNote::showStatus(control, busyText);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    QThread *thread = QThread::create(std::move(work));
    QObject::connect(thread, &QThread::finished, qApp, [thread, note, then] {
        thread->deleteLater();
        QApplication::restoreOverrideCursor();
        if (note)
            note->close();
        running() = false;
        if (then)
            then();
    });
    thread->start();
    return true;
}

} // namespace ReportJob
