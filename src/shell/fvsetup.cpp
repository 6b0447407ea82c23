#include "fvsetup.h"

#include "app/appmodel.h"
#include "data/vorel.h"
#include "fvhelp.h"
#include "helptexts.h"
#include "kit/kvaboutwindow.h"
#include "kit/kvfontwarmup.h"
#include "kit/kvrnkit.h"
#include "kit/kvzoom.h"
#include "platform/fvinfo.h"

#include <future>

namespace FVSetup {

namespace {

bool &flag()
{
    static bool value = false;
    return value;
}

std::function<void(Vorel &)> &readAhead()
{
    static std::function<void(Vorel &)> read;
    return read;
}

void runReadAhead()
{
    Vorel *data = AppModel::shared().data();
    if (!data || !readAhead())
        return;
    readAhead()(*data);
    readAhead() = nullptr;
}

} // namespace

void setReadAhead(std::function<void(Vorel &)> read)
{
    readAhead() = std::move(read);
    if (flag())
        runReadAhead();
}

bool configured()
{
    return flag();
}

void setConfigured(bool value)
{
    flag() = value;
}

QStringList aboutExtraLines(const Provenance &provenance)
{
    return {QStringLiteral("Troubleshooting reference for 1970\u20132026 vehicles."), provenance.dataCredit()};
}

void configure()
{
    if (flag())
        return;
    flag() = true; // first, so that a call from inside the work below does nothing

    // Fonts are set up on a worker thread while the databases open.
    KVFontWarmup::start();
    // The help texts are parsed meanwhile too.
    auto helpTexts = std::async(std::launch::async, [] { HelpTexts::bundled(); });
    const QString appName = FVInfo::appName();
    AppModel &model = AppModel::shared();
    runReadAhead();
    const QList<PhotoCredit> photos = model.data() ? model.data()->photos() : QList<PhotoCredit>();
    const Provenance provenance = Provenance::of(model.data());
    KVFontWarmup::finish();
    helpTexts.wait();
    KVRNKit::install(appName, FVHelp::topics(photos, provenance), {});
    KVRNAbout::setExtraLines(aboutExtraLines(provenance));
    KVZoom::bindScale();
}

} // namespace FVSetup
