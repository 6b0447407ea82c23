#include "kvscalewatch.h"

#include "kvscale.h"

void KVScaleWatch::follow(QWidget *widget, std::function<void()> refresh)
{
    QObject::connect(&KVScale::shared(), &KVScale::changed, widget, [widget, refresh = std::move(refresh)] {
        if (refresh)
            refresh();
        widget->updateGeometry();
        widget->update();
    });
}
