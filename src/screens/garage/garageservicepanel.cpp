#include "garageservicepanel.h"

#include "garage/garageactions.h"
#include "garage/garageinput.h"
#include "garage/garagestore.h"
#include "garagelineedit.h"
#include "garageplainbutton.h"
#include "garagerules.h"
#include "kit/kvchromebutton.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvtextlabel.h"
#include "look/fvpalette.h"
#include "look/gaugelabel.h"
#include "look/reflowrow.h"
#include "screens/shared/divider.h"
#include "screens/shared/monodigitstext.h"

#include <QHBoxLayout>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace {
// Content widths (points) under which the form and the entry rows stack.
constexpr double kFormBreak = 430;
constexpr double kRowBreak = 400;
} // namespace

GarageServicePanel::GarageServicePanel(GarageStore &g, QWidget *parent)
    : Bezel(parent)
    , m_store(g)
    , m_date(new GarageLineEdit(QStringLiteral("Date")))
    , m_miles(new GarageLineEdit(QStringLiteral("Mileage")))
    , m_title(new GarageLineEdit(QStringLiteral("Service (oil change, brakes…)")))
    , m_cost(new GarageLineEdit(QStringLiteral("Cost")))
    , m_details(new GarageLineEdit(QStringLiteral("Details (parts, shop, notes)")))
    , m_add(new KVChromeButton(QStringLiteral("Add entry"), true, true))
    , m_problem(new KVTextLabel(12))
    , m_rowBox(new QVBoxLayout)
{
    setObjectName(QStringLiteral("servicePanel"));
    m_add->setObjectName(QStringLiteral("addEntry"));
    m_date->setText(GarageRules::today());

    auto *content = new QWidget;
    auto *col = new QVBoxLayout(content);
    col->setContentsMargins(0, 0, 0, 0);
    col->addWidget(new GaugeLabel(QStringLiteral("Service log")), 0, Qt::AlignLeft);

    // A narrow panel puts the four fields under one another, each full width.
    auto *first = new QBoxLayout(QBoxLayout::LeftToRight);
    first->addWidget(m_date, 0, Qt::AlignVCenter);
    first->addWidget(m_miles, 0, Qt::AlignVCenter);
    first->addWidget(m_title, 1, Qt::AlignVCenter);
    first->addWidget(m_cost, 0, Qt::AlignVCenter);
    col->addLayout(first);
    m_problem->setObjectName(QStringLiteral("entryProblem"));
    m_problem->setWordWrap(true);
    m_problem->setColor(FVPalette::amberText());
    m_problem->hide();
    col->addWidget(m_problem);

    auto *second = new QHBoxLayout;
    second->addWidget(m_details, 1, Qt::AlignVCenter);
    second->addWidget(m_add, 0, Qt::AlignVCenter);
    col->addLayout(second);

    m_rowBox->setContentsMargins(0, 0, 0, 0);
    col->addLayout(m_rowBox);
    setContent(content);

    m_formReflow = new ReflowRow(content, first, kFormBreak, [this](bool) { fitForm(); });
    auto metrics = [this, col, first] {
        col->setSpacing(KVScale::ipt(8));
        first->setSpacing(KVScale::ipt(8));
        m_rowBox->setSpacing(KVScale::ipt(6));
        fitForm();
    };
    metrics();
    KVScaleWatch::follow(this, metrics);

    connect(m_title, &QLineEdit::textChanged, this, [this] { syncAdd(); });
    for (GarageLineEdit *f : {m_date, m_miles, m_cost, m_details})
        connect(f, &QLineEdit::textEdited, this, [this] { showProblem(QString()); });
    connect(m_add, &QAbstractButton::clicked, this, [this] { addEntry(); });
    syncAdd();
}

void GarageServicePanel::fitForm()
{
    const bool stacked = m_formReflow && m_formReflow->stacked();
    const std::pair<GarageLineEdit *, double> widths[] = {{m_date, 110}, {m_miles, 90}, {m_cost, 80}};
    for (const auto &[field, points] : widths) {
        if (stacked) {
            field->setMinimumWidth(0);
            field->setMaximumWidth(QWIDGETSIZE_MAX);
        } else {
            field->setFixedWidth(KVScale::ipt(points));
        }
    }
}

void GarageServicePanel::syncAdd()
{
    m_add->setEnabled(GarageRules::canAddEntry(m_title->text()));
}

void GarageServicePanel::addEntry()
{
    if (!GarageRules::canAddEntry(m_title->text()))
        return;
    // Each refused field keeps its text; the first one takes the focus.
    const std::pair<GarageLineEdit *, QString> checks[] = {
        {m_date, GarageInput::dateProblem(m_date->text())},
        {m_miles, GarageInput::mileage(m_miles->text()).problem},
        {m_cost, GarageInput::costProblem(m_cost->text())},
        {m_details, GarageInput::detailsProblem(m_details->text())}};
    QStringList problems;
    GarageLineEdit *first = nullptr;
    for (const auto &[field, problem] : checks) {
        if (problem.isEmpty())
            continue;
        problems << problem;
        if (!first)
            first = field;
    }
    if (first) {
        showProblem(problems.join(u' '));
        first->setFocus(Qt::OtherFocusReason);
        return;
    }
    const ServiceEntry entry = GarageRules::entry(m_vehicle.id, m_date->text(), m_miles->text(), m_title->text(),
                                                  m_details->text(), m_cost->text());
    if (!GarageActions::log(entry, m_store)) {
        showProblem(m_store.writeError());
        return;
    }
    showProblem(QString());
    // The date stays for the next entry of the same day; the keyboard goes
    // back to the form's start (the emptied form turns "Add entry" off).
    for (GarageLineEdit *f : {m_title, m_details, m_cost, m_miles})
        f->clear();
    m_date->setFocus(Qt::OtherFocusReason);
}

void GarageServicePanel::showVehicle(const GarageVehicle &vehicle)
{
    m_vehicle = vehicle;
    const QList<ServiceEntry> entries = m_store.entries(vehicle.id);
    if (entries == m_rowEntries && m_rows.size() == entries.size())
        return;
    // A row's own trash button may be what changed the list: let it go later.
    for (QWidget *row : m_rows) {
        row->hide();
        row->deleteLater();
    }
    m_rows.clear();
    for (const ServiceEntry &e : entries) {
        QWidget *row = makeRow(e);
        m_rowBox->addWidget(row);
        m_rows << row;
    }
    m_rowEntries = entries;
}

QWidget *GarageServicePanel::makeRow(const ServiceEntry &e)
{
    const FVPalette pal = FVPalette::current();
    auto *holder = new QWidget;
    holder->setObjectName(QStringLiteral("entryRow"));
    auto *outer = new QVBoxLayout(holder);
    outer->setContentsMargins(0, 0, 0, 0);

    // A narrow row keeps date, mileage and trash on one line and puts the
    // texts, then the cost, under it.
    auto *box = new QBoxLayout(QBoxLayout::LeftToRight);
    auto *line = new QHBoxLayout;
    auto *date = new MonoDigitsText(e.date, 12, QFont::Bold);
    date->setObjectName(QStringLiteral("entryDate"));
    line->addWidget(date, 0, Qt::AlignTop);
    auto *miles = new KVTextLabel(GarageRules::entryMileage(e.mileage), 12);
    line->addWidget(miles, 0, Qt::AlignTop);
    auto *gap = new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    line->addSpacerItem(gap);
    box->addLayout(line);

    auto *texts = new QVBoxLayout;
    auto *title = new KVTextLabel(e.title, 13, QFont::DemiBold);
    title->setWordWrap(true);
    texts->addWidget(title);
    if (!e.details.isEmpty()) {
        auto *details = new KVTextLabel(e.details, 11.5);
        details->setWordWrap(true);
        details->setColor(pal.dim);
        texts->addWidget(details);
    }
    box->addLayout(texts, 1);
    auto *cost = new KVTextLabel(e.cost, 12);
    box->addWidget(cost, 0, Qt::AlignTop);

    auto *trash = new GaragePlainButton(QStringLiteral("trash"), QString(), 14, QFont::Normal);
    trash->setObjectName(QStringLiteral("removeEntry"));
    trash->setToolTip(QStringLiteral("Delete this entry"));
    trash->setAccessibleName(QStringLiteral("Delete this entry"));
    trash->setColor(pal.dim);
    const qint64 id = e.id;
    connect(trash, &QAbstractButton::clicked, this, [this, id] { GarageActions::removeEntry(id, m_store); });
    box->addWidget(trash, 0, Qt::AlignTop);
    // Stacked, date and mileage take their own widths.
    auto fitDates = [date, miles](bool stacked) {
        for (auto [label, points] : {std::pair<QWidget *, double>{date, 96}, {miles, 90}}) {
            if (stacked) {
                label->setMinimumWidth(0);
                label->setMaximumWidth(QWIDGETSIZE_MAX);
            } else {
                label->setFixedWidth(KVScale::ipt(points));
            }
        }
    };
    auto *reflow = new ReflowRow(holder, box, kRowBreak, [holder, box, line, gap, trash, fitDates](bool stacked) {
        (stacked ? box : line)->removeWidget(trash);
        (stacked ? line : box)->addWidget(trash, 0, Qt::AlignTop);
        gap->changeSize(0, 0, stacked ? QSizePolicy::Expanding : QSizePolicy::Fixed, QSizePolicy::Minimum);
        fitDates(stacked);
        box->setSpacing(KVScale::ipt(stacked ? 4 : 10));
        line->invalidate();
        holder->updateGeometry(); // the panel's column keeps the old sizes otherwise
    });
    outer->addLayout(box);
    outer->addWidget(new Divider);
    auto metrics = [outer, box, line, texts, reflow, fitDates] {
        outer->setSpacing(KVScale::ipt(6));
        box->setSpacing(KVScale::ipt(reflow->stacked() ? 4 : 10));
        line->setSpacing(KVScale::ipt(10));
        texts->setSpacing(KVScale::ipt(1));
        fitDates(reflow->stacked());
    };
    metrics();
    KVScaleWatch::follow(holder, metrics);
    return holder;
}

void GarageServicePanel::showProblem(const QString &problem)
{
    m_problem->setPlain(problem);
    m_problem->setVisible(!problem.isEmpty());
}

QString GarageServicePanel::problemText() const
{
    return m_problem->isHidden() ? QString() : m_problem->text();
}

QList<QWidget *> GarageServicePanel::tabChain() const
{
    QList<QWidget *> chain{m_date, m_miles, m_title, m_cost, m_details, m_add};
    for (QWidget *row : m_rows)
        chain << row->findChild<QWidget *>(QStringLiteral("removeEntry"));
    return chain;
}
