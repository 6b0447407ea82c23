#include "desktoptool.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <memory>

namespace DesktopTool {

QString find(const QString &name)
{
    return QStandardPaths::findExecutable(name);
}

void run(const QString &program, const QStringList &arguments, int graceMs, std::function<void(bool)> done)
{
    auto *process = new QProcess; // no parent: deleted when it ends, never killed
    auto once = std::make_shared<std::function<void(bool)>>(std::move(done));
    const auto tell = [once](bool ok) {
        if (*once)
            std::exchange(*once, {})(ok);
    };
    QObject::connect(process, &QProcess::finished, process, [process, tell](int code, QProcess::ExitStatus status) {
        tell(status == QProcess::NormalExit && code == 0);
        process->deleteLater();
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [process, tell](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            tell(false);
            process->deleteLater();
        }
    });
    QTimer::singleShot(graceMs, process, [tell] { tell(true); });
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start(program, arguments);
}

} // namespace DesktopTool
