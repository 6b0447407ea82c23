#include "yearmenubutton.h"

#include "headerrules.h"
#include "kit/kvfocusring.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvshape.h"
#include "look/fvfont.h"

#include <QFontMetricsF>
#include <QMenu>
#include <QPainter>
#include <cmath>

namespace {
constexpr double kPadX = 12;
constexpr double kPadY = 6;
} // namespace

YearMenuButton::YearMenuButton(std::function<void(qint64)> pick, QWidget *parent)
    : QPushButton(parent), m_pick(std::move(pick))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
    setMenu(new QMenu(this));
    applyFont();
    KVScaleWatch::follow(this, [this] { applyFont(); });
}

void YearMenuButton::applyFont()
{
    setFont(FVFont::font(14, QFont::Bold));
}

void YearMenuButton::setYears(qint64 shown, const QList<qint64> &years)
{
    const QString label = HeaderRules::yearLabel(shown);
    if (label != text()) {
        setText(label);
        updateGeometry();
    }
    if (years == m_years)
        return;
    m_years = years;
    menu()->clear();
    for (qint64 y : years) {
        QAction *a = menu()->addAction(QString::number(y));
        connect(a, &QAction::triggered, this, [this, y] { pick(y); });
    }
}

void YearMenuButton::pick(qint64 year)
{
    if (m_pick)
        m_pick(year);
}

QSize YearMenuButton::sizeHint() const
{
    const QFontMetricsF fm(font());
    const double w = fm.horizontalAdvance(text()) + 2 * KVScale::pt(kPadX);
    const double h = fm.height() + 2 * KVScale::pt(kPadY);
    return QSize(int(std::ceil(w)) + 1, int(std::ceil(h)));
}

void YearMenuButton::paintEvent(QPaintEvent *)
{
    using namespace KVShape;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(rect());
    p.fillPath(capsule(r), QColor::fromRgbF(0, 0, 0, isDown() ? 0.5f : 0.35f));
    strokeCapsuleInside(p, r, KVScale::pt(1), QBrush(white(1, 0.35)));
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, text());
    if (hasFocus())
        KVFocusRing::paint(p, r);
}
