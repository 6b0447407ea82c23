#include "vehicleview.h"

#include "app/appmodel.h"
#include "app/modelobserver.h"
#include "data/vorel.h"
#include "epatable.h"
#include "kit/kvchromebutton.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "knownproblems.h"
#include "look/fvpalette.h"
#include "look/fvrender.h"
#include "look/fvscroll.h"
#include "look/gaugelogo.h"
#include "kit/kvtextlabel.h"
#include "vehicleheader.h"
#include "yearmenubutton.h"

#include <QApplication>
#include <QPointer>
#include <QStackedLayout>
#include <QVBoxLayout>

VehicleView::VehicleView(QWidget *parent)
    : VehicleView(AppModel::shared(), parent)
{
}

VehicleView::VehicleView(AppModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_observer(new ModelObserver(this, [this] { refresh(); }))
    , m_stack(new QStackedLayout(this))
{
    setObjectName(QStringLiteral("vehicle"));
    m_empty = buildEmptyState();
    m_pageWidget = buildPage();
    m_stack->addWidget(m_empty);
    m_stack->addWidget(m_pageWidget);
    applyMetrics();
    KVScaleWatch::follow(this, [this] { applyMetrics(); });

    m_observer->watchModel(m_model, {AppModel::Field::Data, AppModel::Field::CurrentVehicle,
                                     AppModel::Field::CurrentYear});
    m_observer->refreshNow();
}

QWidget *VehicleView::buildEmptyState()
{
    auto *w = new QWidget;
    m_emptyBox = new QVBoxLayout(w);
    m_emptyBox->addStretch(1);
    m_emptyBox->addWidget(new GaugeLogo(90), 0, Qt::AlignHCenter);
    auto *text = new KVTextLabel(VehiclePage::emptyText(), 15);
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    m_emptyBox->addWidget(text, 0, Qt::AlignHCenter);
    auto *button = new KVChromeButton(VehiclePage::emptyButton(), true, false);
    button->setObjectName(QStringLiteral("findVehicle"));
    connect(button, &QAbstractButton::clicked, this, [this] { m_model.setScreen(Screen::Home); });
    m_emptyBox->addWidget(button, 0, Qt::AlignHCenter);
    m_emptyBox->addStretch(1);
    return w;
}

QWidget *VehicleView::buildPage()
{
    auto *column = new QWidget;
    m_column = new QVBoxLayout(column);
    m_header = new VehicleHeader(m_model);
    m_known = new KnownProblems;
    m_epa = new EPATable;
    m_credit = new KVTextLabel(11);
    m_credit->setObjectName(QStringLiteral("credit"));
    m_credit->setWordWrap(true);
    m_credit->setColor(FVPalette::current().dim);

    for (VehiclePage::Section s : VehiclePage::sections()) {
        QWidget *w = nullptr;
        switch (s) {
        case VehiclePage::Section::Header:
            w = m_header;
            break;
        case VehiclePage::Section::KnownFor:
            w = m_known;
            break;
        case VehiclePage::Section::Engines:
            w = m_epa;
            break;
        case VehiclePage::Section::Credit:
            w = m_credit;
            break;
        default:
            // The slot of a panel built elsewhere: hidden (no space, no
            // spacing) until setSection() fills it.
            w = new QWidget;
            w->setObjectName(VehiclePage::sectionName(s));
            w->hide();
            break;
        }
        m_sections.insert(s, w);
        m_column->addWidget(w);
        takeViewWidth(w);
    }
    // Room the column has beyond its sections stays below them: while a
    // shorter section is laid out before the column shrinks to fit, the
    // sections above it keep their places and are not drawn again.
    m_column->addStretch(1);
    takeViewWidth(column);
    return new FVScroll(column);
}

void VehicleView::takeViewWidth(QWidget *w)
{
    // A scrolled page and its sections take the view's width, whatever they
    // would like: they reflow to it rather than push the page wider, and each
    // section's height is measured at the width it is given.
    if (FVRender::snapshotMode)
        return;
    QSizePolicy policy = w->sizePolicy();
    policy.setHorizontalPolicy(QSizePolicy::Ignored);
    w->setSizePolicy(policy);
}

void VehicleView::applyMetrics()
{
    const int pad = KVScale::ipt(20);
    m_column->setContentsMargins(pad, pad, pad, pad);
    m_column->setSpacing(KVScale::ipt(14));
    m_emptyBox->setSpacing(KVScale::ipt(12));
}

void VehicleView::refresh()
{
    const Vorel *data = m_model.data();
    m_page = VehiclePage::resolve(data, m_model.currentVehicle(), m_model.currentYear());
    if (!m_page) {
        m_stack->setCurrentWidget(m_empty);
        return;
    }
    const VehicleInfo &v = m_page->vehicle;
    const qint64 year = m_page->year;
    // Another vehicle or year lists its bulletins abridged again.
    m_showAllTSB.follow(v.id, year);
    // The panels refresh next, each at its own turn of the event queue.
    // Meanwhile the column is hidden, so that a panel showing one of its
    // parts does not lay out the whole page: the page is laid out once, when
    // the column shows again after them. Not while the focus is in the
    // column, which hiding would move away.
    QWidget *column = m_column->parentWidget();
    const QWidget *focus = QApplication::focusWidget();
    if (column->isVisible() && !(focus && column->isAncestorOf(focus))) {
        QMetaObject::invokeMethod(column, [column] { column->show(); }, Qt::QueuedConnection);
        column->hide();
    } else if (column->isVisible() && m_column->isEnabled() && onSteadyHeaderControl(focus)) {
        // The focus stays on a header control that every vehicle shows
        // enabled: the sections around it are hidden instead, and the
        // column's layout waits until they show again. (A control that the
        // refill may hide or disable hands its focus on along the page's
        // chain, which must be whole then.)
        QList<QPointer<QWidget>> hidden;
        for (QWidget *w : sectionWidgets()) {
            if (w->isVisible() && !w->isAncestorOf(focus) && w != focus) {
                hidden.append(w);
                w->hide();
            }
        }
        m_column->setEnabled(false);
        QMetaObject::invokeMethod(
            column,
            [layout = m_column, hidden] {
                for (QWidget *w : hidden) {
                    if (w)
                        w->show();
                }
                layout->setEnabled(true);
                layout->activate();
            },
            Qt::QueuedConnection);
    }
    m_header->showVehicle(*data, v, year);
    m_known->setLines(Vorel::knownProblems(v, year, m_page->records), VehiclePage::knownForName(year, v));
    m_known->setSample(VehiclePage::knownForSample(Provenance::fromMeta(data->meta)));
    m_epa->setConfigs(data->epa(v.id, year), year, v.heavy);
    m_credit->setPlain(VehiclePage::creditLine(data->meta));
    m_stack->setCurrentWidget(m_pageWidget);
}

bool VehicleView::onSteadyHeaderControl(const QWidget *focus) const
{
    if (!focus)
        return false;
    const QWidget *steady[] = {m_header->yearMenu(), m_header->recallButton()};
    for (const QWidget *w : steady) {
        if (focus == w || w->isAncestorOf(focus))
            return true;
    }
    return false;
}

void VehicleView::setSection(VehiclePage::Section section, QWidget *panel)
{
    using S = VehiclePage::Section;
    // The page's own sections are not replaceable.
    if (section != S::Complaints && section != S::Recalls && section != S::Investigations && section != S::Bulletins)
        return;
    QWidget *old = m_sections.value(section);
    if (!panel || panel == old)
        return;
    if (panel->objectName().isEmpty())
        panel->setObjectName(VehiclePage::sectionName(section));
    takeViewWidth(panel);
    delete m_column->replaceWidget(old, panel); // the old item is ours
    m_sections.insert(section, panel);
    delete old;
    panel->show();
}

void VehicleView::setShowAllTSB(bool showAll)
{
    if (showAll == m_showAllTSB.value())
        return;
    m_showAllTSB.set(showAll);
    emit showAllTSBChanged();
}

bool VehicleView::showsPage() const
{
    return m_stack->currentWidget() == m_pageWidget;
}

QList<QWidget *> VehicleView::sectionWidgets() const
{
    QList<QWidget *> out;
    for (int i = 0; i < m_column->count(); ++i) {
        if (QWidget *w = m_column->itemAt(i)->widget())
            out.append(w);
    }
    return out;
}

QString VehicleView::creditText() const
{
    return m_credit->text();
}
