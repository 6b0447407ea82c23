#include "model.h"
#include "rng.h"

#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace {

QString slug(const QString &text)
{
    QString out;
    for (const QChar c : text.toLower()) {
        if (c.isLetterOrNumber())
            out += c;
        else if (!out.endsWith(QLatin1Char('-')))
            out += QLatin1Char('-');
    }
    while (out.endsWith(QLatin1Char('-')))
        out.chop(1);
    return out;
}

// Side view of a body kind on a 800 x 450 canvas, nose to the right.
QPainterPath bodyPath(const QString &kind)
{
    QPainterPath p;
    if (kind == QLatin1String("truck")) {
        p.moveTo(90, 330);
        p.lineTo(90, 250);
        p.lineTo(420, 250);
        p.lineTo(430, 170);
        p.lineTo(560, 165);
        p.lineTo(610, 240);
        p.lineTo(700, 255);
        p.quadTo(720, 270, 715, 330);
    } else if (kind == QLatin1String("suv")) {
        p.moveTo(95, 330);
        p.lineTo(100, 165);
        p.lineTo(520, 160);
        p.lineTo(600, 235);
        p.lineTo(690, 250);
        p.quadTo(715, 270, 710, 330);
    } else if (kind == QLatin1String("van")) {
        p.moveTo(95, 330);
        p.lineTo(100, 160);
        p.quadTo(110, 145, 150, 145);
        p.lineTo(540, 150);
        p.lineTo(660, 240);
        p.quadTo(705, 260, 705, 330);
    } else {
        p.moveTo(85, 330);
        p.quadTo(80, 270, 120, 255);
        p.lineTo(250, 245);
        p.lineTo(330, 185);
        p.lineTo(500, 182);
        p.lineTo(580, 245);
        p.lineTo(690, 258);
        p.quadTo(725, 275, 715, 330);
    }
    p.closeSubpath();
    return p;
}

QPainterPath windowPath(const QString &kind)
{
    QPainterPath p;
    if (kind == QLatin1String("truck")) {
        p.addPolygon(QPolygonF({QPointF(445, 182), QPointF(550, 178), QPointF(590, 238), QPointF(445, 240)}));
    } else if (kind == QLatin1String("suv")) {
        p.addPolygon(QPolygonF({QPointF(120, 180), QPointF(510, 175), QPointF(578, 235), QPointF(120, 238)}));
    } else if (kind == QLatin1String("van")) {
        p.addPolygon(QPolygonF({QPointF(130, 170), QPointF(530, 165), QPointF(630, 238), QPointF(130, 238)}));
    } else {
        p.addPolygon(QPolygonF({QPointF(275, 243), QPointF(340, 197), QPointF(492, 195), QPointF(555, 243)}));
    }
    return p;
}

void drawWheel(QPainter &g, QPointF c)
{
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(30, 30, 34));
    g.drawEllipse(c, 52, 52);
    g.setBrush(QColor(170, 172, 178));
    g.drawEllipse(c, 28, 28);
    g.setBrush(QColor(90, 92, 98));
    g.drawEllipse(c, 9, 9);
}

// The part of an 800 x 450 drawing that the vehicle header's 330 x 200 frame
// shows after its aspect fill, less the frame's rounded corners (radius 20)
// and a margin.
QRectF captionArea()
{
    const double scale = std::max(330.0 / 800.0, 200.0 / 450.0);
    const double visible = 330.0 / scale;
    const double side = (800.0 - visible) / 2;
    const double corner = 20.0 / scale;
    const double margin = 6;
    return QRectF(side + corner + margin, margin + 10, visible - 2 * (corner + margin), 450 - 2 * (margin + 10));
}

void drawOne(const PhotoRow &p, const QString &path)
{
    QImage img(800, 450, QImage::Format_RGB32);
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 450);
    sky.setColorAt(0, QColor(205, 222, 238));
    sky.setColorAt(0.72, QColor(238, 240, 242));
    sky.setColorAt(0.73, QColor(150, 150, 146));
    sky.setColorAt(1, QColor(118, 118, 114));
    g.fillRect(img.rect(), sky);

    static const QList<QColor> paints = {QColor(178, 34, 34), QColor(25, 60, 120), QColor(40, 40, 44), QColor(200, 200, 204),
                                         QColor(30, 100, 70), QColor(220, 160, 40), QColor(120, 30, 60), QColor(70, 110, 150)};
    Rng r = Rng::keyed(QStringLiteral("paint:") + p.file);
    const QColor paint = r.pick(paints);
    g.setPen(QPen(paint.darker(160), 3));
    g.setBrush(paint);
    g.drawPath(bodyPath(p.kind));
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(160, 190, 215));
    g.drawPath(windowPath(p.kind));
    // Pillars across the glass, door seams and a lamp.
    const QList<int> pillars = p.kind == QLatin1String("car") ? QList<int>{410}
                               : p.kind == QLatin1String("truck") ? QList<int>{}
                                                                  : QList<int>{260, 410};
    g.setClipPath(windowPath(p.kind));
    g.setPen(QPen(paint, 10));
    for (const int x : pillars)
        g.drawLine(QPointF(x, 140), QPointF(x, 250));
    g.setClipping(false);
    g.setPen(QPen(paint.darker(140), 2));
    for (const int x : pillars)
        g.drawLine(QPointF(x, 245), QPointF(x, 315));
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(255, 236, 170));
    g.drawEllipse(QPointF(p.kind == QLatin1String("van") ? 690 : 700, 272), 9, 7);
    drawWheel(g, QPointF(210, 330));
    drawWheel(g, QPointF(600, 330));

    // Captions stay where the vehicle header shows them: its 330 x 200 frame
    // fills with the picture and cuts the sides and the rounded corners off.
    const QRectF safe = captionArea();
    QFont title(QStringLiteral("DejaVu Sans"), 26, QFont::Bold);
    const QString name = p.make + QLatin1Char(' ') + p.model;
    while (QFontMetricsF(title).horizontalAdvance(name) > safe.width() && title.pointSize() > 12)
        title.setPointSize(title.pointSize() - 1);
    QFont small(QStringLiteral("DejaVu Sans"), 12);
    const QList<std::tuple<QFont, QRectF, int, QString, QColor>> captions = {
        {title, QRectF(safe.left(), safe.top(), safe.width(), 50), Qt::AlignLeft, name, QColor(20, 24, 30)},
        {small, QRectF(safe.left(), safe.top() + 48, safe.width(), 30), Qt::AlignLeft, QStringLiteral("Generated drawing, not a photograph"),
         QColor(20, 24, 30)},
        {small, QRectF(safe.left(), safe.bottom() - 30, safe.width(), 30), Qt::AlignRight, QStringLiteral("Drawing: Brackenfold"),
         QColor(245, 245, 245)},
    };
    for (const auto &[font, box, align, text, colour] : captions) {
        g.setFont(font);
        g.setPen(colour);
        const QRectF used = g.boundingRect(box, int(align) | Qt::AlignVCenter, text);
        if (!safe.contains(used))
            throw GenError{QStringLiteral("broken rule: the caption \"%1\" of %2 leaves the header's view").arg(text, p.file)};
        g.drawText(box, int(align) | Qt::AlignVCenter, text);
    }
    g.end();
    if (!img.save(path, "PNG"))
        throw GenError{QStringLiteral("cannot write photo %1").arg(path)};
}

} // namespace

void buildPhotos(Model &m)
{
    QList<Vehicle *> pictured;
    for (Vehicle &v : m.vehicles)
        if (v.photo)
            pictured.append(&v);
    std::sort(pictured.begin(), pictured.end(), [](const Vehicle *a, const Vehicle *b) {
        return a->make != b->make ? a->make < b->make : a->model < b->model;
    });
    qint64 id = 0;
    for (Vehicle *v : pictured) {
        v->imageID = ++id;
        m.photos.append({id, slug(v->make + QLatin1Char(' ') + v->model) + QStringLiteral(".png"), v->makeDisplay, v->model, v->kind()});
    }
}

void drawPhotos(const Model &m, const QString &folder)
{
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral(".")))
        throw GenError{QStringLiteral("cannot make the photo folder %1").arg(folder)};
    QStringList wanted;
    for (const PhotoRow &p : m.photos) {
        drawOne(p, dir.filePath(p.file));
        wanted << p.file;
    }
    // Drawings of an earlier vehicle list go.
    for (const QString &old : dir.entryList({QStringLiteral("*.png")}, QDir::Files))
        if (!wanted.contains(old))
            dir.remove(old);
}
