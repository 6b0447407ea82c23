#include "homeview.h"

#include "app/appmodel.h"
#include "platform/fvinfo.h"
#include "app/modelobserver.h"
#include "data/provenance.h"
#include "data/vorel.h"
#include "homerules.h"
#include "kit/kvchromebutton.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvsymbolview.h"
#include "look/reflowrow.h"
#include "look/bezel.h"
#include "look/chromerow.h"
#include "look/fvpalette.h"
#include "look/gaugelabel.h"
#include "look/tag.h"
#include "monodigitstext.h"
#include "pickeractions.h"
#include "pickercolumn.h"
#include "pickercontent.h"
#include "shell/mainwindow.h"
#include "switchtoggle.h"
#include "kit/kvtextlabel.h"
#include "tonecolor.h"

#include <QHBoxLayout>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QWidget *yearLabel(qint64 year)
{
    return new MonoDigitsText(QString::number(year), 15, QFont::Bold);
}

QWidget *makeLabel(const MakeChoice &make)
{
    auto *w = new QWidget;
    auto *row = new QHBoxLayout(w);
    row->setContentsMargins(0, 0, 0, 0);
    auto *name = new KVTextLabel(make.display, 14, QFont::DemiBold);
    name->setElided(true);
    row->addWidget(name);
    row->addStretch(1);
    auto *count = new KVTextLabel(QString::number(make.count), 11);
    count->setColor(FVPalette::current().dim);
    row->addWidget(count);
    return w;
}

QWidget *modelLabel(const ModelChoice &choice)
{
    auto *w = new QWidget;
    auto *row = new QHBoxLayout(w);
    row->setContentsMargins(0, 0, 0, 0);
    auto *name = new KVTextLabel(choice.model, 14, QFont::DemiBold);
    name->setElided(true);
    row->addWidget(name);
    for (const QString &tag : PickerContent::modelTags(choice))
        row->addWidget(new Tag(tag, ToneColor::color(Tone::Grey)));
    row->addStretch(1);
    auto *chevron = new KVSymbolView(QStringLiteral("chevron.right"));
    chevron->setPoints(14);
    chevron->setColor(FVPalette::current().dim);
    row->addWidget(chevron);
    return w;
}

} // namespace

HomeView::HomeView(QWidget *parent)
    : HomeView(AppModel::shared(), parent)
{
}

HomeView::HomeView(AppModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_observer(new ModelObserver(this, [this] { refresh(); }))
{
    setObjectName(QStringLiteral("home"));
    if (m_model.data())
        build();
    m_observer->watchModel(m_model, {AppModel::Field::Data, AppModel::Field::Year, AppModel::Field::Make,
                                     AppModel::Field::PickedVehicle, AppModel::Field::IncludeHeavy});
    m_observer->refreshNow();
    // Coming back to the screen, the picked year and make are in view once laid out.
    if (m_years) {
        QTimer::singleShot(0, this, [this] {
            for (PickerColumn *c : {m_years, m_makes, m_models})
                c->revealSelection();
        });
    }
}

void HomeView::build()
{
    m_root = new QVBoxLayout(this);

    // Picker panel.
    auto *pickerPanel = new Bezel;
    auto *picker = new QWidget;
    m_picker = new QVBoxLayout(picker);
    m_picker->setContentsMargins(0, 0, 0, 0);
    auto *heading = new QHBoxLayout;
    heading->addWidget(new GaugeLabel(QStringLiteral("Pick year, make and model")), 0, Qt::AlignVCenter);
    heading->addStretch(1);
    m_heavy = new SwitchToggle(QStringLiteral("Show heavy / commercial trucks"), 12);
    heading->addWidget(m_heavy, 0, Qt::AlignVCenter);
    connect(m_heavy, &QAbstractButton::toggled, this, [this](bool on) {
        if (on != m_model.includeHeavy())
            m_model.setIncludeHeavy(on);
    });
    m_picker->addLayout(heading);
    new ReflowRow(picker, heading, 560);

    m_columns = new QWidget;
    m_columnsRow = new QHBoxLayout(m_columns);
    m_columnsRow->setContentsMargins(0, 0, 0, 0);
    m_years = new PickerColumn(QStringLiteral("Year"), 120);
    m_makes = new PickerColumn(QStringLiteral("Make"), 230);
    m_models = new PickerColumn(QStringLiteral("Model"), std::nullopt);
    // Year and make follow the cursor; a model opens only on Return.
    m_years->setArrowsActivate(true);
    m_years->setUniformRows(true);
    m_makes->setArrowsActivate(true);
    for (PickerColumn *c : {m_years, m_makes, m_models})
        connect(c, &PickerColumn::tabStopChanged, this, &HomeView::orderTabs);
    m_columnsRow->addWidget(m_years);
    m_columnsRow->addWidget(m_makes);
    m_columnsRow->addWidget(m_models, 1);
    m_picker->addWidget(m_columns);
    // Too narrow for three readable columns (a small window, a large zoom),
    // they stand under one another at the whole width, a few rows each.
    new ReflowRow(m_columns, m_columnsRow, 500, [this](bool stacked) {
        m_columnsStacked = stacked;
        for (PickerColumn *c : {m_years, m_makes, m_models})
            c->setStacked(stacked);
        for (int i = 0; i < 2; ++i)
            m_columnsRow->setStretch(i, stacked ? 1 : 0);
        if (m_root)
            applyMetrics();
    });

    m_note = new KVTextLabel(12);
    m_note->setWordWrap(true);
    m_note->setColor(FVPalette::current().dim);
    m_picker->addWidget(m_note);
    pickerPanel->setContent(picker);
    m_root->addWidget(pickerPanel);

    // Examples and contents panels side by side.
    m_bottom = new QHBoxLayout;
    auto *examplesPanel = new Bezel;
    auto *examples = new QWidget;
    m_exampleBox = new QVBoxLayout(examples);
    m_exampleBox->setContentsMargins(0, 0, 0, 0);
    m_exampleBox->addWidget(new GaugeLabel(QStringLiteral("Try these")));
    examplesPanel->setContent(examples);

    auto *contentsPanel = new Bezel;
    auto *contents = new QWidget;
    m_contentsBox = new QVBoxLayout(contents);
    m_contentsBox->setContentsMargins(0, 0, 0, 0);
    m_contentsBox->addWidget(new GaugeLabel(QStringLiteral("What's inside")));
    m_counts = new KVTextLabel(12.5);
    m_counts->setWordWrap(true);
    m_counts->setColor(FVPalette::current().dim);
    m_contentsBox->addWidget(m_counts);
    m_credit = new KVTextLabel(FVInfo::dataCredit(), 11, QFont::DemiBold);
    m_credit->setWordWrap(true);
    m_credit->setColor(FVPalette::current().dim);
    m_contentsBox->addWidget(m_credit);
    contentsPanel->setContent(contents);

    m_bottom->addWidget(examplesPanel, 1, Qt::AlignTop);
    m_bottom->addWidget(contentsPanel, 1, Qt::AlignTop);
    m_root->addLayout(m_bottom);
    m_root->addStretch(1);
    // A narrow screen stacks the two panels, narrows the columns and the
    // margins.
    new ReflowRow(this, m_bottom, 640, [this](bool stacked) {
        m_narrow = stacked;
        if (m_root)
            applyMetrics();
    });

    applyMetrics();
    KVScaleWatch::follow(this, [this] { applyMetrics(); });
}

void HomeView::applyMetrics()
{
    const int pad = KVScale::ipt(m_narrow ? 10 : 20);
    m_root->setContentsMargins(pad, pad, pad, pad);
    m_root->setSpacing(KVScale::ipt(14));
    m_picker->setSpacing(KVScale::ipt(12));
    m_columnsRow->setSpacing(KVScale::ipt(12));
    m_columns->setFixedHeight(KVScale::ipt(m_columnsStacked ? 3 * 190 + 2 * 12 : 420));
    m_bottom->setSpacing(KVScale::ipt(14));
    m_exampleBox->setSpacing(KVScale::ipt(8));
    m_contentsBox->setSpacing(KVScale::ipt(8));
}

void HomeView::refresh()
{
    const Vorel *data = m_model.data();
    if (!data || !m_years)
        return;
    m_credit->setPlain(Provenance::of(data).dataCredit());
    const PickerContent c = PickerContent::read(m_model);
    const std::optional<qint64> year = m_model.year();
    const std::optional<QString> make = m_model.make();
    const std::optional<qint64> picked = m_model.pickedVehicle();
    AppModel *m = &m_model;

    QList<PickerColumn::Row> years;
    for (qint64 y : c.years)
        years.append({QString::number(y), [y] { return yearLabel(y); },
                      [m, y] { PickerActions::pickYear(*m, y); }, year == y, QString()});
    m_years->setRows(years);

    m_makes->setHint(c.makeHint);
    QList<PickerColumn::Row> makes;
    for (const MakeChoice &mc : c.makes)
        makes.append({mc.make + u'\t' + mc.display + u'\t' + QString::number(mc.count),
                      [mc] { return makeLabel(mc); }, [m, key = mc.make] { PickerActions::pickMake(*m, key); },
                      make == mc.make, mc.display});
    m_makes->setRows(makes);

    m_models->setHint(c.modelHint);
    QList<PickerColumn::Row> models;
    for (const ModelChoice &mc : c.models)
        models.append({QString::number(mc.id) + u'\t' + mc.model + u'\t' + mc.sources + u'\t'
                           + QString::number(int(mc.heavy)),
                       [mc] { return modelLabel(mc); }, [m, id = mc.id] { PickerActions::pickModel(*m, id); },
                       picked == mc.id, mc.model});
    m_models->setRows(models);
    // Coming to the picker, the keyboard starts in the column last picked in.
    MainWindow::setFirstFocus(this, picked ? m_models : make ? m_makes : m_years);

    m_note->setPlain(c.earlyNote.value_or(QString()));
    m_note->setVisible(c.earlyNote.has_value());
    {
        const QSignalBlocker block(m_heavy);
        m_heavy->setChecked(m_model.includeHeavy());
    }
    refreshExamples();
    m_counts->setPlain(HomeRules::countsLine(data->counts()));
    orderTabs();
}

void HomeView::orderTabs()
{
    // Rows and examples made anew would otherwise come last in the chain.
    QWidget *previous = m_heavy;
    QList<QWidget *> stops;
    for (PickerColumn *c : {m_years, m_makes, m_models}) {
        if (ChromeRow *stop = c->tabStop())
            stops.append(stop);
    }
    for (KVChromeButton *b : std::as_const(m_examples))
        stops.append(b);
    for (QWidget *w : std::as_const(stops)) {
        QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

void HomeView::refreshExamples()
{
    const QList<HomeRules::Example> examples = HomeRules::examples(*m_model.data());
    QStringList labels;
    for (const HomeRules::Example &e : examples)
        labels << e.label;
    if (labels == m_exampleLabels)
        return;
    for (KVChromeButton *b : std::as_const(m_examples)) {
        b->hide();
        b->deleteLater();
    }
    m_examples.clear();
    for (const HomeRules::Example &e : examples) {
        auto *button = new KVChromeButton(e.label, false, true);
        AppModel *m = &m_model;
        connect(button, &QAbstractButton::clicked, this,
                [m, id = e.vehicleID, y = e.year] { PickerActions::openExample(*m, id, y); });
        m_exampleBox->addWidget(button, 0, Qt::AlignLeft);
        m_examples.append(button);
    }
    m_exampleLabels = labels;
}

QString HomeView::earlyNote() const
{
    return m_note && !m_note->isHidden() ? m_note->text() : QString();
}

QString HomeView::countsText() const
{
    return m_counts ? m_counts->text() : QString();
}
