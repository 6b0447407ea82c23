#include "vinview.h"

#include "app/appmodel.h"
#include "app/modelobserver.h"
#include "platform/netstatus.h"
#include "garage/garageactions.h"
#include "kit/kvchromebutton.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvtextlabel.h"
#include "look/bezel.h"
#include "look/fvpalette.h"
#include "look/fvscroll.h"
#include "look/gaugelabel.h"
#include "look/reflowrow.h"
#include "look/tag.h"
#include "platform/httpclient.h"
#include "vin.h"
#include "vinfield.h"
#include "vinrules.h"
#include "vinsession.h"
#include "vinstat.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>


VINView::VINView(QWidget *parent)
    : VINView(AppModel::shared(), NetStatus::shared(), HttpClient::network(), parent)
{
}

VINView::VINView(AppModel &m, NetStatus &net, HttpClient &http, QWidget *parent)
    : QWidget(parent)
    , m_model(m)
    , m_net(net)
    , m_session(new VINSession(http, this))
    , m_observer(new ModelObserver(this, [this] { refresh(); }))
{
    setObjectName(QStringLiteral("vin"));
    auto *column = new QWidget;
    m_column = new QVBoxLayout(column);
    m_column->addWidget(buildVinPanel());
    m_column->addWidget(buildOfflinePanel());
    m_column->addWidget(buildOnlinePanel());

    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(new FVScroll(column));
    setFocusProxy(m_field);

    applyMetrics();
    KVScaleWatch::follow(this, [this] { applyMetrics(); });

    // A new VIN text ends what the online panel showed for the old one at once.
    m_session->setVin(VIN::clean(m_model.vinText()));
    connect(&m_model, &AppModel::changed, m_session, [this](AppModel::Field field) {
        if (field == AppModel::Field::VinText)
            m_session->setVin(VIN::clean(m_model.vinText()));
    });
    m_observer->watchModel(m_model, {AppModel::Field::VinText, AppModel::Field::Data, AppModel::Field::Garage});
    m_observer->watch(&m_net, &NetStatus::onlineChanged);
    m_observer->watch(m_session, &VINSession::changed);
    m_observer->refreshNow();
}

QVBoxLayout *VINView::panelColumn(Bezel *panel)
{
    auto *content = new QWidget;
    auto *col = new QVBoxLayout(content);
    col->setContentsMargins(0, 0, 0, 0);
    m_panelColumns << col;
    panel->setContent(content);
    return col;
}

QWidget *VINView::buildVinPanel()
{
    auto *panel = new Bezel;
    QVBoxLayout *col = panelColumn(panel);
    col->addWidget(new GaugeLabel(QStringLiteral("Vehicle Identification Number")), 0, Qt::AlignLeft);
    m_field = new VINField;
    col->addWidget(m_field);
    auto *help = KVTextLabel::wrapped(12, FVPalette::current().dim, QStringLiteral("help"));
    help->setPlain(QStringLiteral("Find it on the driver's side of the dashboard (look through the windshield), on "
                                  "the driver's door jamb label, or on your title and insurance card."));
    col->addWidget(help);

    connect(m_field, &QLineEdit::textEdited, this, [this](const QString &text) { m_model.setVinText(text); });
    return panel;
}

QWidget *VINView::buildOfflinePanel()
{
    const FVPalette pal = FVPalette::current();
    auto *panel = new Bezel;
    QVBoxLayout *col = panelColumn(panel);
    col->addWidget(new GaugeLabel(QStringLiteral("Worked out on this computer (no internet needed)")), 0,
                   Qt::AlignLeft);

    auto *stats = new QHBoxLayout;
    stats->setContentsMargins(0, 0, 0, 0);
    m_year = new VINStat(QStringLiteral("Model year"));
    m_digit = new VINStat(QStringLiteral("Check digit"));
    m_length = new VINStat(QStringLiteral("Length"));
    for (VINStat *s : {m_year, m_digit, m_length})
        stats->addWidget(s, 0, Qt::AlignVCenter);
    stats->addStretch(1);
    m_statRow = stats;
    col->addLayout(stats);
    // A narrow panel lists the three one under the other.
    new ReflowRow(panel, stats, 460);

    m_yearNote = KVTextLabel::wrapped(11.5, pal.dim, QStringLiteral("yearNote"));
    col->addWidget(m_yearNote);
    m_problemBox = new QVBoxLayout;
    m_problemBox->setContentsMargins(0, 0, 0, 0);
    col->addLayout(m_problemBox);
    m_valid = new Tag(QStringLiteral("Valid VIN format and check digit"), FVPalette::green(),
                      QStringLiteral("checkmark.seal.fill"));
    col->addWidget(m_valid, 0, Qt::AlignLeft);
    return panel;
}

QWidget *VINView::buildOnlinePanel()
{
    const FVPalette pal = FVPalette::current();
    auto *panel = new Bezel;
    QVBoxLayout *col = panelColumn(panel);

    auto *header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    header->addWidget(new GaugeLabel(QStringLiteral("Full decode from NHTSA (online)")), 0, Qt::AlignVCenter);
    header->addStretch(1);
    m_decode = new KVChromeButton(VINRules::decodeLabel(false), true, false);
    m_decode->setObjectName(QStringLiteral("decode"));
    header->addWidget(m_decode, 0, Qt::AlignVCenter);
    col->addLayout(header);

    m_offline = KVTextLabel::wrapped(13, FVPalette::amberText(), QStringLiteral("offline"));
    m_offline->setPlain(VIN::offlineMessage());
    col->addWidget(m_offline);
    m_status = KVTextLabel::wrapped(12.5, pal.dim, QStringLiteral("status"));
    col->addWidget(m_status);

    m_rowsBox = new QWidget;
    m_rows = new QGridLayout(m_rowsBox);
    m_rows->setContentsMargins(0, 0, 0, 0);
    m_rows->setColumnStretch(1, 1);
    col->addWidget(m_rowsBox);

    m_actions = new QWidget;
    auto *actions = new QHBoxLayout(m_actions);
    actions->setContentsMargins(0, 0, 0, 0);
    m_open = new KVChromeButton(QString(), true, false);
    m_open->setObjectName(QStringLiteral("open"));
    m_save = new KVChromeButton(QStringLiteral("Save to My Garage"));
    m_save->setObjectName(QStringLiteral("save"));
    actions->addWidget(m_open, 0, Qt::AlignVCenter);
    actions->addWidget(m_save, 0, Qt::AlignVCenter);
    actions->addStretch(1);
    m_actionRow = actions;
    col->addWidget(m_actions);

    m_credit = KVTextLabel::wrapped(10.5, pal.dim, QStringLiteral("credit"));
    m_credit->setPlain(VINRules::creditLine());
    col->addWidget(m_credit);

    connect(m_decode, &QAbstractButton::clicked, this, [this] { decode(m_check.vin); });
    // Return in the field starts the online decode when it can run.
    connect(m_field, &QLineEdit::returnPressed, this, [this] {
        m_observer->refreshNow(); // the text just typed decides
        if (m_decode->isEnabled())
            m_decode->click();
    });
    connect(m_open, &QAbstractButton::clicked, this, [this] { openMatch(); });
    connect(m_save, &QAbstractButton::clicked, this, [this] {
        if (m_session->decoded())
            saveToGarage(*m_session->decoded(), m_check.vin);
    });
    return panel;
}

void VINView::applyMetrics()
{
    const int pad = KVScale::ipt(20);
    m_column->setContentsMargins(pad, pad, pad, pad);
    m_column->setSpacing(KVScale::ipt(14));
    for (qsizetype i = 0; i < m_panelColumns.size(); ++i)
        m_panelColumns[i]->setSpacing(KVScale::ipt(i == 0 ? 10 : 8));
    m_statRow->setSpacing(KVScale::ipt(30));
    m_problemBox->setSpacing(KVScale::ipt(8));
    m_rows->setHorizontalSpacing(KVScale::ipt(8));
    m_rows->setVerticalSpacing(KVScale::ipt(6));
    m_rows->setColumnMinimumWidth(0, KVScale::ipt(120));
    m_actionRow->setSpacing(KVScale::ipt(10));
}

void VINView::refresh()
{
    m_check = VIN::check(m_model.vinText());
    if (m_field->text() != m_model.vinText())
        m_field->setText(m_model.vinText());

    m_year->setValue(VINRules::yearValue(m_check));
    m_digit->setValue(VINRules::checkDigitValue(m_check));
    m_length->setValue(VINRules::lengthValue(m_check));
    m_yearNote->setPlain(m_check.yearNote);
    m_yearNote->setVisible(m_check.modelYear.has_value());
    showProblems(VINRules::shownProblems(m_check));
    m_valid->setVisible(m_check.isValid());

    const bool online = m_net.online();
    m_decode->setText(VINRules::decodeLabel(m_session->busy()));
    // Offline only because a request failed, a press asks again.
    const bool canDecode = VINRules::canDecode(online || m_net.offlineByFailure(), m_session->busy(), m_check);
    // Keyboard focus stays on the screen (the field) rather than jumping
    // to the sidebar when the focused button turns off.
    if (!canDecode && m_decode->hasFocus())
        m_field->setFocus(Qt::OtherFocusReason);
    m_decode->setEnabled(canDecode);
    m_offline->setVisible(!online);
    m_status->setPlain(m_session->status().value_or(QString()));
    m_status->setVisible(m_session->status().has_value());
    showDecoded(m_session->decoded() ? &*m_session->decoded() : nullptr);
}

void VINView::showProblems(const QStringList &problems)
{
    while (m_problems.size() < problems.size()) {
        auto *label = KVTextLabel::wrapped(13, FVPalette::amberText(), QStringLiteral("problem"));
        m_problemBox->addWidget(label);
        m_problems << label;
    }
    for (qsizetype i = 0; i < m_problems.size(); ++i) {
        const bool used = i < problems.size();
        if (used)
            m_problems[i]->setPlain(QStringLiteral("• ") + problems[i]);
        m_problems[i]->setVisible(used);
    }
}

void VINView::showDecoded(const VIN::Decoded *decoded)
{
    m_rowsBox->setVisible(decoded);
    m_actions->setVisible(decoded);
    m_credit->setVisible(decoded);
    if (!decoded)
        return;

    const QList<std::pair<QString, QString>> rows = decoded->fields();
    if (rows != m_shownRows) {
        while (QLayoutItem *item = m_rows->takeAt(0)) {
            if (QWidget *w = item->widget()) {
                w->hide();
                w->deleteLater();
            }
            delete item;
        }
        for (qsizetype i = 0; i < rows.size(); ++i) {
            auto *label = new KVTextLabel(rows[i].first, 12.5, QFont::Bold);
            auto *value = new KVTextLabel(rows[i].second, 13);
            value->setWordWrap(true);
            // Selectable for copying, but kept out of the Tab chain.
            value->setTextInteractionFlags(Qt::TextSelectableByMouse);
            value->setObjectName(rows[i].first);
            m_rows->addWidget(label, int(i), 0, Qt::AlignLeft | Qt::AlignTop);
            m_rows->addWidget(value, int(i), 1, Qt::AlignTop);
        }
        m_shownRows = rows;
    }

    // Matched afresh at each redraw; not kept.
    const std::optional<VehicleInfo> match = VINRules::match(m_model.data(), *decoded);
    m_open->setVisible(match.has_value());
    if (match)
        m_open->setText(VINRules::openLabel(*decoded, *match));
}

void VINView::decode(const QString &vin)
{
    m_session->decode(vin);
}

void VINView::openMatch()
{
    const std::optional<VIN::Decoded> &decoded = m_session->decoded();
    if (!decoded)
        return;
    if (const std::optional<VehicleInfo> v = VINRules::match(m_model.data(), *decoded))
        m_model.openVehicle(v->id, VINRules::year(*decoded));
}

void VINView::saveToGarage(const VIN::Decoded &decoded, const QString &vin)
{
    GarageStore *garage = m_model.garage();
    if (!garage)
        return;
    const GarageVehicle vehicle = VINRules::garageVehicle(decoded, vin, VINRules::match(m_model.data(), decoded));
    const std::optional<qint64> id = GarageActions::add(vehicle, *garage);
    if (!id)
        return;
    m_model.setSelectedGarage(*id);
    m_model.setScreen(Screen::Garage);
}

QString VINView::yearNoteText() const
{
    return m_yearNote->shownText();
}

QStringList VINView::problemTexts() const
{
    QStringList out;
    for (const KVTextLabel *label : m_problems) {
        if (!label->isHidden())
            out << label->text();
    }
    return out;
}

bool VINView::showsValidTag() const
{
    return !m_valid->isHidden();
}

QString VINView::offlineText() const
{
    return m_offline->shownText();
}

QString VINView::statusText() const
{
    return m_status->shownText();
}

QList<std::pair<QString, QString>> VINView::rowTexts() const
{
    return m_rowsBox->isHidden() ? QList<std::pair<QString, QString>>() : m_shownRows;
}
