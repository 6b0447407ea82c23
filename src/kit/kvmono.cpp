#include "kvmono.h"

#include "kvfont.h"
#include "kvscale.h"
#include "kvscalewatch.h"

#include <QWidget>

QFont KVMono::font(double points, QFont::Weight weight)
{
    const QString family = QStringLiteral("DejaVu Sans Mono");
    QFont f(family);
    f.setFamilies({family});
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    // The face ships Book and Bold only.
    f.setWeight(weight >= QFont::DemiBold ? QFont::Bold : QFont::Normal);
    KVFont::setPixelSizeF(f, KVScale::pt(points));
    return f;
}

void KVMono::apply(QWidget *widget, double points, QFont::Weight weight)
{
    widget->setFont(font(points, weight));
    KVScaleWatch::follow(widget, [widget, points, weight] { widget->setFont(font(points, weight)); });
}
