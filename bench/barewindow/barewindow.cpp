// A Qt Widgets program that links nothing else and shows one window of 1440
// by 920, offscreen: bench_ui's start-up baselines. Empty by default; with
// --text, twelve one-line labels in the faces the app's first frame loads
// (the default face, Quicksand at eight sizes, Quicksand Medium, the icon
// face at two sizes). It prints the time from FV_BENCH_SPAWNED (steady
// clock, ns) to the end of its first painted frame, in ms, and quits.

#include "firstpaint.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <cstring>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
    QApplication application(argc, argv);
    FirstPaint first;
    QWidget window;
    window.resize(1440, 920);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
        auto *box = new QVBoxLayout(&window);
        const QString words = QStringLiteral("2015 Ford F-150: recalls, complaints and service bulletins");
        // Search, car, build, warning: code points of the icon face.
        const QString icons = QStringLiteral(u"\ue8b6\ue531\ue869\ue002");
        const auto add = [box](const QString &text, const QString &family, int points) {
            auto *label = new QLabel(text);
            if (!family.isEmpty())
                label->setFont(QFont(family, points));
            box->addWidget(label);
        };
        add(words, QString(), 0);
        for (const int points : {10, 11, 12, 13, 14, 16, 20, 28})
            add(words, QStringLiteral("Quicksand"), points);
        add(words, QStringLiteral("Quicksand Medium"), 13);
        add(icons, QStringLiteral("Material Icons"), 14);
        add(icons, QStringLiteral("Material Icons"), 20);
        box->addStretch();
    }
    application.installEventFilter(&first);
    window.show();
    return QApplication::exec();
}
