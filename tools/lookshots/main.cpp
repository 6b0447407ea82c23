// lookshots [folder]: writes PNG pictures of the drawn widgets into the
// folder (default: ./lookshots), one board per theme plus close-ups.

#include "kit/kvchromebutton.h"
#include "kit/kvpanel.h"
#include "kit/kvrnthemeroot.h"
#include "kit/kvrnthemes.h"
#include "kit/kvscale.h"
#include "kit/kvsearchfield.h"
#include "kit/kvsymbols.h"
#include "kit/kvsymbolview.h"
#include "look/bezel.h"
#include "look/chromerow.h"
#include "look/draftlabel.h"
#include "look/fvfont.h"
#include "look/fvpalette.h"
#include "look/fvthemeroot.h"
#include "look/gaugelabel.h"
#include "look/gaugelogo.h"
#include "look/seriousnessdial.h"
#include "look/tag.h"
#include "look/vehiclesilhouette.h"
#include "platform/prefs.h"

#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextStream>
#include <QVBoxLayout>

namespace {

QString g_dir;

void save(QWidget *w, const QString &name, QSize size = {})
{
    w->setAttribute(Qt::WA_DontShowOnScreen);
    if (size.isValid())
        w->resize(size);
    else
        w->adjustSize();
    w->show();
    QApplication::processEvents();
    QApplication::processEvents();
    const QString path = g_dir + QLatin1Char('/') + name + QStringLiteral(".png");
    w->grab().save(path);
    QTextStream(stdout) << path << '\n';
}

QLabel *plain(const QString &text, double size = 13)
{
    auto *l = new QLabel(text);
    l->setTextFormat(Qt::PlainText);
    l->setFont(FVFont::font(size));
    return l;
}

QWidget *row(std::initializer_list<QWidget *> widgets, double spacing = 10)
{
    auto *w = new QWidget;
    auto *h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(KVScale::ipt(spacing));
    for (QWidget *c : widgets)
        h->addWidget(c, 0, Qt::AlignVCenter);
    h->addStretch(1);
    return w;
}

QWidget *board()
{
    auto *page = new QWidget;
    auto *v = new QVBoxLayout(page);
    const int m = KVScale::ipt(24);
    v->setContentsMargins(m, m, m, m);
    v->setSpacing(KVScale::ipt(16));

    auto *top = new Bezel;
    auto *topBox = new QWidget;
    auto *tv = new QVBoxLayout(topBox);
    tv->setContentsMargins(0, 0, 0, 0);
    tv->setSpacing(KVScale::ipt(10));
    tv->addWidget(row({new GaugeLogo, new GaugeLogo(90), new GaugeLogo(46, 0), new GaugeLogo(46, 1),
                       new SeriousnessDial(Seriousness::Drive, 130), new SeriousnessDial(Seriousness::Soon, 130),
                       new SeriousnessDial(Seriousness::Stop, 130)}));
    tv->addWidget(new GaugeLabel(QStringLiteral("Known for")));
    tv->addWidget(new GaugeLabel(QStringLiteral("Red dot heading"), FVPalette::red()));
    tv->addWidget(row({new Tag(QStringLiteral("Online"), FVPalette::green(), QStringLiteral("wifi")),
                       new Tag(QStringLiteral("Offline"), QColor::fromRgbF(0.35f, 0.35f, 0.35f),
                               QStringLiteral("wifi.slash")),
                       new Tag(QStringLiteral("NOTABLY HIGH 2.4\u00d7"), FVPalette::red()),
                       new Tag(QStringLiteral("low confidence"), QColor::fromRgbF(0.4f, 0.4f, 0.4f)),
                       new DraftLabel}));
    top->setContent(topBox);
    v->addWidget(top);

    auto *mid = new QWidget;
    auto *mh = new QHBoxLayout(mid);
    mh->setContentsMargins(0, 0, 0, 0);
    mh->setSpacing(KVScale::ipt(16));

    auto *rows = new Bezel(22, 10);
    auto *rowsBox = new QWidget;
    auto *rv = new QVBoxLayout(rowsBox);
    rv->setContentsMargins(0, 0, 0, 0);
    rv->setSpacing(KVScale::ipt(2));
    rv->addWidget(new ChromeRow(false, {}, plain(QStringLiteral("2001"))));
    rv->addWidget(new ChromeRow(true, {}, plain(QStringLiteral("2002 (selected)"))));
    rv->addWidget(new ChromeRow(false, {}, plain(QStringLiteral("2003"))));
    rows->setContent(rowsBox);
    mh->addWidget(rows, 1);

    auto *controls = new Bezel;
    auto *cBox = new QWidget;
    auto *cv = new QVBoxLayout(cBox);
    cv->setContentsMargins(0, 0, 0, 0);
    cv->setSpacing(KVScale::ipt(12));
    cv->addWidget(row({new KVChromeButton(QStringLiteral("Open Vehicle")),
                       new KVChromeButton(QStringLiteral("Prominent"), true, false),
                       new KVChromeButton(QStringLiteral("Compact"), false, true),
                       new KVChromeButton(QStringLiteral("Search"), true, true)}));
    auto *empty = new KVSearchField(QStringLiteral("Search help"));
    auto *filled = new KVSearchField(QStringLiteral("Search help"));
    filled->setText(QStringLiteral("misfire"));
    cv->addWidget(empty);
    cv->addWidget(filled);
    cv->addWidget(row({new KVSymbolView(QStringLiteral("car.fill"))}));
    controls->setContent(cBox);
    mh->addWidget(controls, 2);
    v->addWidget(mid);

    auto *sil = new QWidget;
    auto *sh = new QHBoxLayout(sil);
    sh->setContentsMargins(0, 0, 0, 0);
    for (VehicleKind k : {VehicleKind::Car, VehicleKind::Suv, VehicleKind::Van, VehicleKind::Truck}) {
        auto *s = new VehicleSilhouette(k);
        s->setFixedSize(KVScale::ipt(220), KVScale::ipt(100));
        sh->addWidget(s);
    }
    v->addWidget(sil);

    auto *panel = new KVPanel;
    panel->setContent(plain(QStringLiteral("KVPanel: radius 20, padding 12")));
    v->addWidget(panel);
    v->addStretch(1);
    return page;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    g_dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("lookshots");
    QDir().mkpath(g_dir);
    QTemporaryDir settings;
    Prefs::shared().useFile(settings.filePath(QStringLiteral("prefs.ini")));

    for (const KVRNTheme &theme : KVRNThemes::builtIn()) {
        KVRNThemes::setCurrentID(theme.id);
        FVThemeRoot root(board);
        save(&root, QStringLiteral("board-") + theme.id, QSize(1100, 760));
    }

    KVRNThemes::setCurrentID(QStringLiteral("cobalt-gunmetal"));
    {
        KVScale::shared().setFactor(1.5);
        FVThemeRoot root(board);
        save(&root, QStringLiteral("board-zoom150"), QSize(1650, 1140));
        KVScale::shared().setFactor(1.0);
    }

    // Close-ups at four times the size.
    KVScale::shared().setFactor(4.0);
    for (Seriousness level : Seriousness::allCases()) {
        FVThemeRoot root([level] {
            auto *w = new QWidget;
            auto *l = new QVBoxLayout(w);
            l->addWidget(new SeriousnessDial(level, 130), 0, Qt::AlignCenter);
            return w;
        });
        save(&root, QStringLiteral("dial-") + level.rawValue().replace(QLatin1Char(' '), QLatin1Char('-')),
             QSize(640, 480));
    }
    {
        FVThemeRoot root([] {
            auto *w = new QWidget;
            auto *l = new QHBoxLayout(w);
            l->addWidget(new GaugeLogo(44), 0, Qt::AlignCenter);
            l->addWidget(new GaugeLogo(90), 0, Qt::AlignCenter);
            return w;
        });
        save(&root, QStringLiteral("logo"), QSize(720, 460));
    }
    {
        FVThemeRoot root([] {
            auto *w = new QWidget;
            auto *l = new QVBoxLayout(w);
            l->setSpacing(40);
            l->addWidget(new Tag(QStringLiteral("Online"), FVPalette::green(), QStringLiteral("wifi")));
            l->addWidget(new DraftLabel);
            l->addWidget(new GaugeLabel(QStringLiteral("Known for")));
            l->addWidget(row({new KVChromeButton(QStringLiteral("Open")),
                              new KVChromeButton(QStringLiteral("Search"), true, true)}, 40));
            return w;
        });
        save(&root, QStringLiteral("chips"), QSize(1500, 700));
    }
    KVScale::shared().setFactor(2.0);
    for (VehicleKind k : {VehicleKind::Car, VehicleKind::Suv, VehicleKind::Van, VehicleKind::Truck}) {
        static const char *names[] = {"car", "suv", "truck", "van"};
        FVThemeRoot root([k] {
            auto *w = new QWidget;
            auto *l = new QVBoxLayout(w);
            l->setContentsMargins(0, 0, 0, 0);
            l->addWidget(new VehicleSilhouette(k));
            return w;
        });
        save(&root, QStringLiteral("silhouette-") + QLatin1String(names[int(k)]), QSize(880, 400));
    }
    {
        KVScale::shared().setFactor(2.0);
        FVThemeRoot root([] {
            auto *w = new QWidget;
            auto *g = new QGridLayout(w);
            int i = 0;
            for (const QString &name : KVSymbols::names()) {
                auto *sym = new KVSymbolView(name);
                sym->setPoints(13);
                g->addWidget(sym, i / 4, (i % 4) * 2);
                g->addWidget(plain(name, 11), i / 4, (i % 4) * 2 + 1);
                ++i;
            }
            return w;
        });
        save(&root, QStringLiteral("symbols"), QSize(1500, 500));
    }
    return 0;
}
