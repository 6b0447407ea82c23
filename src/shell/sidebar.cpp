#include "sidebar.h"

#include "app/appmodel.h"
#include "app/modelobserver.h"
#include "data/provenance.h"
#include "kit/kvlinklabel.h"
#include "kit/kvscale.h"
#include "kit/kvscrollarea.h"
#include "kit/kvscalewatch.h"
#include "kit/kvshape.h"
#include "kit/kvtextlabel.h"
#include "look/fvfont.h"
#include "look/fvrender.h"
#include "platform/fvinfo.h"
#include "look/fvpalette.h"
#include "look/gaugelogo.h"
#include "look/rovingfocus.h"
#include "sidebarrow.h"

#include <QHBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr double kPadding = 14;
constexpr double kSpacing = 6;
constexpr double kLogo = 46;
constexpr double kNamesWidth = 190;
} // namespace

Sidebar::Sidebar(AppModel &m, QWidget *parent)
    : QWidget(parent)
    , m_model(m)
    , m_column(new QVBoxLayout)
    , m_mark(new QWidget(this))
    , m_observer(new ModelObserver(this, [this] { refresh(); }))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    // The column scrolls within itself where the window is too short for it
    // (flat while snapshots are drawn).
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *body = new QWidget;
    body->setLayout(m_column);
    if (FVRender::snapshotMode) {
        outer->addWidget(body);
    } else {
        QScrollArea *scroll = KVScrollArea::plain(this);
        scroll->setObjectName(QStringLiteral("sidebarScroll"));
        scroll->setWidget(body);
        body->setAutoFillBackground(false);
        outer->addWidget(scroll);
    }
    const FVPalette palette = FVPalette::current();
    auto label = [](QWidget *parent, const QString &text, double points, QFont::Weight weight,
                    const QColor &color = QColor()) {
        auto *l = new KVTextLabel(text, points, weight, parent);
        l->setColor(color);
        return l;
    };

    // The mark: the gauge and the three-line product name.
    auto *markRow = new QHBoxLayout(m_mark);
    markRow->setContentsMargins(0, 0, 0, 0);
    markRow->addWidget(new GaugeLogo(kLogo, 0.68, m_mark), 0, Qt::AlignVCenter);
    auto *names = new QVBoxLayout;
    names->setSpacing(0);
    KVTextLabel *brand = label(m_mark, QStringLiteral("KVRN"), 12, QFont::Black, palette.accentText());
    brand->setTracking(3.0);
    m_names = {brand, label(m_mark, QStringLiteral("Fenwhistle"), 15, QFont::ExtraBold),
               label(m_mark, QStringLiteral("Vorel"), 15, QFont::ExtraBold)};
    for (QWidget *name : std::as_const(m_names))
        names->addWidget(name);
    markRow->addLayout(names);
    markRow->addStretch(1);
    m_column->addWidget(m_mark);

    for (Screen screen : Screen::sidebar()) {
        auto *row = new SidebarRow(screen.icon(), screen.title(), this);
        row->setObjectName(screen.id());
        connect(row, &QAbstractButton::clicked, this, [this, screen] { m_model.setScreen(screen); });
        m_column->addWidget(row);
        m_rows.append(row);
    }
    m_column->addStretch(1);
    // The rows are one Tab stop (the current screen's), with Up and Down.
    m_focus = new RovingFocus(this);
    QList<QWidget *> rows;
    for (SidebarRow *row : std::as_const(m_rows))
        rows << row;
    m_focus->setItems(rows);

    m_credit = label(this, Provenance::of(m_model.data()).dataCredit(), 10, QFont::Normal, palette.dim);
    m_credit->setWordWrap(true);
    m_column->addWidget(m_credit);
    auto *maker = new KVLinkLabel(FVInfo::creditLine(), FVInfo::website(), this);
    maker->setElided(true); // a narrow sidebar at a large zoom
    m_makerLink = maker;
    m_column->addWidget(maker, 0, Qt::AlignLeft);

    m_observer->watchModel(m_model, {AppModel::Field::Screen, AppModel::Field::CurrentVehicle, AppModel::Field::Data});
    applyMetrics();
    m_observer->refreshNow();
    KVScaleWatch::follow(this, [this] { applyMetrics(); });
}

double Sidebar::widthFor(double windowWidth)
{
    return std::clamp(windowWidth - contentMinimum, narrowest, fullWidth);
}

void Sidebar::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The width follows the top-level window's, not the content's, which a
    // scroll area may widen to the content's own minimum.
    if (m_window != window()) {
        if (m_window)
            m_window->removeEventFilter(this);
        m_window = window();
        m_window->installEventFilter(this);
    }
    applyWidth();
}

bool Sidebar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Resize)
        applyWidth();
    return QWidget::eventFilter(watched, event);
}

void Sidebar::applyWidth()
{
    const int pixels = m_window ? m_window->width() : 0;
    const double width = pixels > 0 ? widthFor(pixels / KVScale::factor()) : fullWidth;
    setFixedWidth(KVScale::ipt(width));
    // A narrow column keeps the gauge of the mark only.
    for (QWidget *name : std::as_const(m_names))
        name->setVisible(width >= kNamesWidth);
}

SidebarRow *Sidebar::row(Screen screen) const
{
    const qsizetype i = Screen::sidebar().indexOf(screen);
    return i >= 0 ? m_rows.value(i) : nullptr;
}

bool Sidebar::isSelected(Screen row, Screen current)
{
    return row == current || (row == Screen::Home && current == Screen::Search);
}

bool Sidebar::isAvailable(Screen row, bool hasCurrentVehicle)
{
    return row != Screen::Vehicle || hasCurrentVehicle;
}

void Sidebar::refresh()
{
    const QList<Screen> &screens = Screen::sidebar();
    const bool hasVehicle = m_model.currentVehicle().has_value();
    m_credit->setPlain(Provenance::of(m_model.data()).dataCredit());
    for (qsizetype i = 0; i < screens.size(); ++i) {
        m_rows[i]->setSelected(isSelected(screens[i], m_model.screen()));
        m_rows[i]->setAvailable(isAvailable(screens[i], hasVehicle));
    }
    const bool focusInside = std::any_of(m_rows.cbegin(), m_rows.cend(), [](SidebarRow *r) { return r->hasFocus(); });
    // Another screen (a shortcut, a menu) takes the focus ring along when it is
    // on the rows; otherwise the rows' own arrow-key focus stays where it is.
    const bool screenChanged = m_selectedFor && *m_selectedFor != m_model.screen();
    m_selectedFor = m_model.screen();
    for (SidebarRow *r : std::as_const(m_rows)) {
        if (!r->selected())
            continue;
        if (!focusInside) {
            m_focus->setCurrent(r);
        } else if (screenChanged && !r->hasFocus()) {
            m_focus->setCurrent(r);
            r->setFocus(Qt::OtherFocusReason);
        }
    }
}

void Sidebar::applyMetrics()
{
    applyWidth();
    const int pad = KVScale::ipt(kPadding);
    m_column->setContentsMargins(pad, pad, pad, pad);
    m_column->setSpacing(KVScale::ipt(kSpacing));
    auto *markRow = static_cast<QHBoxLayout *>(m_mark->layout());
    markRow->setSpacing(KVScale::ipt(10));
    m_mark->setContentsMargins(0, KVScale::ipt(6), 0, KVScale::ipt(14));
    m_makerLink->setFont(FVFont::font(10.5, QFont::DemiBold));
}

void Sidebar::paintEvent(QPaintEvent *)
{
    using namespace KVShape;
    QPainter p(this);
    const QRectF r(rect());
    p.fillRect(r, vertical(r, {white(1, 0.07), QColor::fromRgbF(0, 0, 0, 0.35f)}));
    const double line = KVScale::pt(1);
    const QRectF edge(r.right() - line, r.top(), line, r.height());
    p.fillRect(edge, vertical(edge, {white(1, 0.35), QColor::fromRgbF(0, 0, 0, 0.6f)}));
}
