#include "fvsnapshot.h"

#include "app/appmodel.h"
#include "app/dispatch.h"
#include "shell/fvsetup.h"
#include "shell/mainwindow.h"
#include "platform/netstatus.h"
#include "data/vorel.h"
#include "fvsnapshotgarage.h"
#include "fvsnapshotrender.h"
#include "fvsnapshotshots.h"
#include "kit/kvrnthemes.h"
#include "kit/kvscale.h"
#include "look/fvrender.h"
#include "platform/opener.h"
#include "prefsguard.h"
#include "screens/start/homeview.h"

#include <QDir>
#include <QSaveFile>
#include <cstdio>

namespace FVSnapshot {

namespace {

const QString option = QStringLiteral("--fv-snapshot");

void printLine(const QString &line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

QtMessageHandler previousHandler = nullptr;

// The offscreen platform says this once per window it shows; the shots show
// dozens, so standard error would fill with it.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

// One run into `folder`; counts shots that could not be rendered or written.
class Run
{
public:
    Run(const QDir &folder, const Print &print)
        : m_folder(folder)
        , m_print(print)
    {
    }

    int failures() const { return m_failures; }

    // Writes the PNG bytes as <file> in the folder; false (counted and
    // reported) when the file cannot be written.
    bool write(const QString &file, const QByteArray &png)
    {
        if (writeFile(m_folder.filePath(file), png))
            return true;
        m_print(QStringLiteral("could not write ") + file);
        ++m_failures;
        return false;
    }

    void shot(const FVSnapshotShot &row, AppModel &model, NetStatus &net)
    {
        KVRNThemes::setCurrentID(row.theme);
        net.override(true);
        row.setup(model, net);

        const auto window = [] { return new MainWindow(); };
        const QImage image = FVSnapshotRender::full(window);
        const QByteArray png = FVSnapshotRender::png(image);
        if (png.isEmpty()) {
            m_print(QStringLiteral("could not render ") + row.name);
            ++m_failures;
        } else if (write(row.name + QStringLiteral(".png"), png)) {
            m_print(QStringLiteral("wrote %1.png %2x%3").arg(row.name).arg(image.width()).arg(image.height()));
        }

        const QByteArray topPng = FVSnapshotRender::png(FVSnapshotRender::top(window));
        if (!topPng.isEmpty())
            write(row.name + QStringLiteral("-top.png"), topPng);
    }

    void picker(AppModel &model)
    {
        KVRNThemes::setCurrentID(FVSnapshotShots::pickerTheme());
        FVSnapshotShots::setUpPicker(model);
        const QByteArray png = FVSnapshotRender::png(FVSnapshotRender::picker([] { return new HomeView(); }));
        const QString file = FVSnapshotShots::pickerName() + QStringLiteral(".png");
        if (!png.isEmpty() && write(file, png))
            m_print(QStringLiteral("wrote ") + file);
    }

private:
    QDir m_folder;
    Print m_print;
    int m_failures = 0;
};

} // namespace

std::optional<int> handle(const QStringList &args)
{
    return handle(args, printLine);
}

std::optional<int> handle(const QStringList &args, const Print &print)
{
    const qsizetype at = args.indexOf(option);
    if (at < 0)
        return std::nullopt;
    if (at + 1 >= args.size()) {
        print(QStringLiteral("usage: fenwhistle-vorel --fv-snapshot <folder>"));
        return 2;
    }
    const QDir folder(args.at(at + 1));
    QDir().mkpath(folder.path());

    if (qEnvironmentVariable("FV_GARAGE_PATH").isEmpty()) {
        print(QStringLiteral("Set FV_GARAGE_PATH to a scratch file so the real garage is never touched."));
        return 2;
    }

    FVRender::snapshotMode = true;
    if (!previousHandler) // once, however often the mode runs in a process
        previousHandler = qInstallMessageHandler(quietHandler);
    Opener::setOpen({});
    FVSetup::configure();
    // One pixel per point, whatever zoom the user chose.
    KVScale::shared().setFactor(1.0);

    // Puts the preferences back on every return: the shots change
    // "kvrn.theme" and "fv.lastVehicle".
    const PrefsGuard kept;

    AppModel &model = AppModel::shared();
    const Vorel *data = model.data();
    if (!data) {
        print(QStringLiteral("No reference data: ") + model.loadError().value_or(QStringLiteral("it did not open.")));
        return 3;
    }
    const auto navigator = data->find(QStringLiteral("LINCOLN"), QStringLiteral("Navigator"));
    const auto focus = navigator ? data->find(QStringLiteral("FORD"), QStringLiteral("Focus")) : std::nullopt;
    if (!navigator || !focus) {
        print(data->db->damaged() ? AppModel::damagedText()
                                  : QStringLiteral("The reference data has no Lincoln Navigator or no Ford Focus to draw."));
        return 3;
    }

    if (GarageStore *garage = model.garage())
        FVSnapshotGarage::addIfEmpty(*garage, navigator->id);

    FVSnapshotVehicles vehicles{navigator->id, focus->id, std::nullopt};
    if (const auto sienna = data->find(QStringLiteral("TOYOTA"), QStringLiteral("Sienna")))
        vehicles.sienna = sienna->id;

    Run run(folder, print);
    NetStatus &net = NetStatus::shared();
    for (const FVSnapshotShot &row : FVSnapshotShots::table(vehicles))
        run.shot(row, model, net);
    run.picker(model);
    net.override(true);
    // Pages drawn from a damaged file are not to be trusted.
    if (data->db->damaged()) {
        print(AppModel::damagedText());
        return 3;
    }
    return run.failures() > 0 ? 1 : 0;
}

void registerMode()
{
    Dispatch::setMode(Dispatch::Slot::Snapshot, {option}, [](const QStringList &args) { return handle(args); });
}

} // namespace FVSnapshot
