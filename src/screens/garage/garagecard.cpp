#include "garagecard.h"

#include "app/appmodel.h"
#include "garage/garageactions.h"
#include "garage/garageinput.h"
#include "garage/garagestore.h"
#include "garagedialogs.h"
#include "garagelineedit.h"
#include "garagerules.h"
#include "garagewell.h"
#include "kit/kvchromebutton.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvtextlabel.h"
#include "look/fvfont.h"
#include "look/fvpalette.h"
#include "look/reflowrow.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace {
// Content widths (points) under which the heading and the field rows stack.
constexpr double kHeadingBreak = 460;
constexpr double kFieldBreak = 340;
} // namespace

GarageCard::GarageCard(GarageStore &g, AppModel &m, QWidget *parent)
    : Bezel(24, 18, parent)
    , m_store(g)
    , m_model(m)
    , m_title(new KVTextLabel(24, QFont::Black))
    , m_open(new KVChromeButton(QStringLiteral("Open vehicle page"), false, true))
    , m_remove(new KVChromeButton(QStringLiteral("Remove…"), false, true))
    , m_nickname(new GarageLineEdit(QStringLiteral("Nickname")))
    , m_vin(new GarageLineEdit(QStringLiteral("VIN")))
    , m_engine(new GarageLineEdit(QStringLiteral("Engine")))
    , m_mileage(new GarageLineEdit(QString()))
    , m_notes(new QPlainTextEdit)
    , m_save(new KVChromeButton(QStringLiteral("Save changes"), true, false))
{
    setObjectName(QStringLiteral("card"));
    m_title->setObjectName(QStringLiteral("cardTitle"));
    m_title->setWordWrap(true);
    m_open->setObjectName(QStringLiteral("openPage"));
    m_remove->setObjectName(QStringLiteral("remove"));
    m_save->setObjectName(QStringLiteral("save"));
    m_mileage->setObjectName(QStringLiteral("mileage"));
    m_mileage->setAccessibleName(QStringLiteral("Mileage"));
    m_notes->setObjectName(QStringLiteral("notes"));
    m_notes->setAccessibleName(QStringLiteral("Notes"));

    auto *content = new QWidget;
    auto *col = new QVBoxLayout(content);
    col->setContentsMargins(0, 0, 0, 0);

    // A narrow card puts the buttons under the title.
    auto *heading = new QBoxLayout(QBoxLayout::LeftToRight);
    heading->addWidget(m_title, 1, Qt::AlignVCenter);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(m_open, 0, Qt::AlignVCenter);
    buttons->addWidget(m_remove, 0, Qt::AlignVCenter);
    auto *pushLeft = new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    buttons->addSpacerItem(pushLeft);
    heading->addLayout(buttons);
    col->addLayout(heading);
    new ReflowRow(content, heading, kHeadingBreak, [pushLeft, buttons](bool stacked) {
        pushLeft->changeSize(0, 0, stacked ? QSizePolicy::Expanding : QSizePolicy::Fixed, QSizePolicy::Minimum);
        buttons->invalidate();
    });
    m_headingBox = heading;
    m_buttonBox = buttons;

    col->addWidget(fieldRow(QStringLiteral("Nickname"), m_nickname));
    m_nicknameProblem = problemLabel(QStringLiteral("nicknameProblem"));
    col->addWidget(m_nicknameProblem);
    col->addWidget(fieldRow(QStringLiteral("VIN"), m_vin));
    m_vinProblem = problemLabel(QStringLiteral("vinProblem"));
    col->addWidget(m_vinProblem);
    col->addWidget(fieldRow(QStringLiteral("Engine"), m_engine));
    QWidget *miles = fieldRow(QStringLiteral("Mileage"), m_mileage);
    m_mileageProblem = problemLabel(QStringLiteral("mileageProblem"));
    auto *milesBox = static_cast<QBoxLayout *>(miles->layout());
    milesBox->addWidget(m_mileageProblem, 1, Qt::AlignVCenter);
    // Label and field stay at the leading edge while the problem is hidden.
    milesBox->addStretch(0);
    col->addWidget(miles);

    auto *notesLabel = new KVTextLabel(QStringLiteral("Notes"), 12.5, QFont::Bold);
    col->addWidget(notesLabel);
    m_notes->setFrameShape(QFrame::NoFrame);
    m_notes->setTabChangesFocus(true);
    m_notes->viewport()->setAutoFillBackground(false);
    {
        const FVPalette pal = FVPalette::current();
        QPalette p = m_notes->palette();
        for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            p.setColor(g, QPalette::Text, pal.text);
            p.setColor(g, QPalette::Base, Qt::transparent);
            p.setColor(g, QPalette::Highlight, pal.accent);
            p.setColor(g, QPalette::HighlightedText, Qt::white);
        }
        m_notes->setPalette(p);
    }
    auto *well = new GarageWell(m_notes, 10, 0.35, 6);
    well->setFocusSource(m_notes);
    m_notesWell = well;
    col->addWidget(well);
    m_notesProblem = problemLabel(QStringLiteral("notesProblem"));
    col->addWidget(m_notesProblem);

    auto *saveRow = new QHBoxLayout;
    saveRow->addWidget(m_save, 0, Qt::AlignVCenter);
    m_saveProblem = problemLabel(QStringLiteral("saveProblem"));
    saveRow->addWidget(m_saveProblem, 1, Qt::AlignVCenter);
    saveRow->addStretch(0);
    col->addLayout(saveRow);
    setContent(content);

    // Like a refused mileage, a text too long stays as typed with the reason under it.
    connect(m_nickname, &QLineEdit::textEdited, this, [this](const QString &t) {
        checkLength(m_nicknameProblem, t, m_shown ? m_shown->nickname : QString(), &GarageInput::nicknameProblem);
        change([&](GarageVehicle &v) { v.nickname = t; });
    });
    connect(m_vin, &QLineEdit::textEdited, this, [this](const QString &t) {
        checkLength(m_vinProblem, t, m_shown ? m_shown->vin : QString(), &GarageInput::vinProblem);
        change([&](GarageVehicle &v) { v.vin = t; });
    });
    connect(m_engine, &QLineEdit::textEdited, this, [this](const QString &t) { change([&](GarageVehicle &v) { v.engine = t; }); });
    connect(m_mileage, &QLineEdit::textEdited, this, [this](const QString &t) {
        // A refused text stays as typed, with the reason beside it.
        const GarageInput::Mileage miles = GarageInput::mileage(t);
        setProblem(m_mileageProblem, miles.problem);
        if (miles.ok())
            change([&](GarageVehicle &v) { v.mileage = miles.value; });
        else
            syncSave();
    });
    connect(m_notes, &QPlainTextEdit::textChanged, this, [this] {
        if (m_updating)
            return;
        const QString t = m_notes->toPlainText();
        checkLength(m_notesProblem, t, m_shown ? m_shown->notes : QString(), &GarageInput::notesProblem);
        change([&](GarageVehicle &v) { v.notes = t; });
    });
    for (GarageLineEdit *f : {m_nickname, m_vin, m_engine, m_mileage})
        connect(f, &QLineEdit::returnPressed, this, [this] { save(); });
    connect(m_save, &QAbstractButton::clicked, this, [this] { save(); });
    connect(m_remove, &QAbstractButton::clicked, this, [this] { remove(); });
    connect(m_open, &QAbstractButton::clicked, this, [this] { openPage(); });

    applyMetrics();
    KVScaleWatch::follow(this, [this] { applyMetrics(); });
    showVehicle(std::nullopt);
}

KVTextLabel *GarageCard::problemLabel(const QString &name)
{
    auto *label = new KVTextLabel(12);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setColor(FVPalette::amberText());
    label->hide();
    return label;
}

void GarageCard::setProblem(KVTextLabel *label, const QString &problem)
{
    label->setPlain(problem);
    label->setVisible(!problem.isEmpty());
}

void GarageCard::checkLength(KVTextLabel *label, const QString &typed, const QString &stored,
                             QString (*problem)(const QString &))
{
    setProblem(label, typed == stored ? QString() : problem(typed));
}

bool GarageCard::anyProblem() const
{
    for (const KVTextLabel *label : {m_mileageProblem, m_nicknameProblem, m_vinProblem, m_notesProblem}) {
        if (!label->isHidden())
            return true;
    }
    return false;
}

void GarageCard::syncSave()
{
    m_save->setEnabled(m_draft.pending() && !anyProblem());
}

QWidget *GarageCard::fieldRow(const QString &label, GarageLineEdit *field)
{
    auto *row = new QWidget;
    auto *box = new QBoxLayout(QBoxLayout::LeftToRight, row);
    box->setContentsMargins(0, 0, 0, 0);
    // The label goes above its field in a narrow card.
    new ReflowRow(row, box, kFieldBreak, [row](bool) { row->updateGeometry(); });
    auto *name = new KVTextLabel(label, 12.5, QFont::Bold);
    m_labels << name;
    box->addWidget(name, 0, Qt::AlignVCenter);
    box->addWidget(field, field == m_mileage ? 0 : 1, Qt::AlignVCenter);
    return row;
}

void GarageCard::applyMetrics()
{
    static_cast<QVBoxLayout *>(content()->layout())->setSpacing(KVScale::ipt(10));
    // What the one heading layout had from the card's column.
    m_headingBox->setSpacing(KVScale::ipt(10));
    m_buttonBox->setSpacing(KVScale::ipt(10));
    for (QWidget *label : m_labels)
        label->setFixedWidth(KVScale::ipt(90));
    m_mileage->setFixedWidth(KVScale::ipt(160));
    m_notes->setFont(FVFont::font(13));
    m_notes->setFixedHeight(KVScale::ipt(90));
}

void GarageCard::change(const std::function<void(GarageVehicle &)> &apply)
{
    m_draft.change(m_shown, apply);
    syncSave();
}

void GarageCard::showVehicle(const std::optional<GarageVehicle> &shown)
{
    const bool other = !shown || !m_shown || shown->id != m_shown->id;
    m_shown = shown;
    if (other) {
        for (KVTextLabel *label : {m_mileageProblem, m_nicknameProblem, m_vinProblem, m_notesProblem, m_saveProblem})
            setProblem(label, QString());
    }
    m_draft.follow(shown);
    m_title->setPlain(shown ? shown->title : QString());
    m_open->setVisible(shown && shown->vehicleID.has_value());
    m_remove->setEnabled(shown.has_value());

    const std::optional<GarageVehicle> edited = m_draft.edited(shown);
    m_nickname->setPlain(edited ? edited->nickname : QString());
    m_vin->setPlain(edited ? edited->vin : QString());
    m_engine->setPlain(edited ? edited->engine : QString());
    // What the user typed stays while it still reads as the number kept.
    const std::optional<qint64> miles = edited ? edited->mileage : std::nullopt;
    const GarageInput::Mileage typed = GarageInput::mileage(m_mileage->text());
    if (m_mileageProblem->isHidden() && (!typed.ok() || typed.value != miles))
        m_mileage->setPlain(GarageRules::mileageField(miles));
    const QString notes = edited ? edited->notes : QString();
    if (m_notes->toPlainText() != notes) {
        m_updating = true;
        m_notes->setPlainText(notes);
        m_updating = false;
    }
    syncSave();
}

void GarageCard::save()
{
    if (!m_draft.pending() || anyProblem())
        return;
    const GarageVehicle saved = *m_draft.value();
    if (GarageActions::save(saved, m_store)) {
        setProblem(m_saveProblem, QString());
        m_draft.drop();
        showVehicle(saved);
    } else {
        setProblem(m_saveProblem, m_store.writeError());
    }
}

void GarageCard::remove()
{
    if (!m_shown)
        return;
    const GarageVehicle vehicle = *m_shown;
    const QString question = GarageRules::removeQuestion(vehicle.title, m_store.entries(vehicle.id).size(),
                                                         m_store.codes(vehicle.id).size());
    if (!GarageDialogs::confirmRemove(window(), question))
        return;
    GarageActions::remove(vehicle.id, m_store);
    m_model.setSelectedGarage(std::nullopt);
    m_draft.drop();
}

QList<QWidget *> GarageCard::tabChain() const
{
    return {m_open, m_remove, m_nickname, m_vin, m_engine, m_mileage, m_notes, m_save};
}

void GarageCard::openPage()
{
    if (m_shown && m_shown->vehicleID)
        m_model.openVehicle(*m_shown->vehicleID, m_shown->year);
}

QString GarageCard::mileageProblem() const
{
    return m_mileageProblem->isHidden() ? QString() : m_mileageProblem->text();
}

QString GarageCard::lengthProblem() const
{
    for (const KVTextLabel *label : {m_nicknameProblem, m_vinProblem, m_notesProblem}) {
        if (!label->isHidden())
            return label->text();
    }
    return QString();
}

QString GarageCard::saveProblem() const
{
    return m_saveProblem->isHidden() ? QString() : m_saveProblem->text();
}
