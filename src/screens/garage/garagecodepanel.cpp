#include "garagecodepanel.h"

#include "app/appmodel.h"
#include "data/vorel.h"
#include "garage/garageactions.h"
#include "garage/garagestore.h"
#include "garagelineedit.h"
#include "garageplainbutton.h"
#include "garagerules.h"
#include "kit/kvchromebutton.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvtextlabel.h"
#include "leveldot.h"
#include "look/fvpalette.h"
#include "look/gaugelabel.h"
#include "look/reflowrow.h"
#include "reportmenu.h"
#include "screens/shared/clampedtext.h"

#include <QHBoxLayout>
#include <QSpacerItem>
#include <QVBoxLayout>


GarageCodePanel::GarageCodePanel(GarageStore &g, AppModel &m, QWidget *parent)
    : Bezel(parent)
    , m_store(g)
    , m_model(m)
    , m_report(new ReportMenu(GarageVehicle()))
    , m_field(new GarageLineEdit(QStringLiteral("Code you read, e.g. P0171")))
    , m_add(new KVChromeButton(QStringLiteral("Add code"), true, true))
    , m_note(new KVTextLabel(11))
    , m_empty(KVTextLabel::wrapped(12, FVPalette::current().dim, QStringLiteral("codesEmpty")))
    , m_rowBox(new QVBoxLayout)
    , m_mentioned(KVTextLabel::wrapped(11.5, FVPalette::current().dim, QStringLiteral("mentioned")))
{
    setObjectName(QStringLiteral("codePanel"));
    m_field->setObjectName(QStringLiteral("codeField"));
    m_add->setObjectName(QStringLiteral("addCode"));
    m_note->setObjectName(QStringLiteral("codeNote"));
    m_note->setColor(FVPalette::amberText());
    m_note->hide();
    m_empty->setPlain(GarageRules::codeFormEmpty());

    auto *content = new QWidget;
    auto *col = new QVBoxLayout(content);
    col->setContentsMargins(0, 0, 0, 0);

    // A narrow panel puts the report menu under the heading and the button
    // under the field.
    auto *heading = new QBoxLayout(QBoxLayout::LeftToRight);
    heading->addWidget(new GaugeLabel(QStringLiteral("Trouble codes")), 0, Qt::AlignVCenter);
    heading->addStretch(1);
    heading->addWidget(m_report, 0, Qt::AlignVCenter);
    col->addLayout(heading);

    auto *form = new QBoxLayout(QBoxLayout::LeftToRight);
    form->addWidget(m_field, 0, Qt::AlignVCenter);
    form->addWidget(m_add, 0, Qt::AlignVCenter);
    form->addWidget(m_note, 0, Qt::AlignVCenter);
    form->addStretch(1);
    col->addLayout(form);
    col->addWidget(m_empty);
    m_rowBox->setContentsMargins(0, 0, 0, 0);
    col->addLayout(m_rowBox);
    col->addWidget(m_mentioned);
    setContent(content);
    new ReflowRow(content, heading, 400);
    new ReflowRow(content, form, 340);

    auto metrics = [this, col, form] {
        col->setSpacing(KVScale::ipt(8));
        form->setSpacing(KVScale::ipt(8));
        m_rowBox->setSpacing(KVScale::ipt(6));
        m_field->setFixedWidth(KVScale::ipt(200));
    };
    metrics();
    KVScaleWatch::follow(this, metrics);

    connect(m_field, &QLineEdit::textChanged, this, [this] { syncAdd(); });
    connect(m_field, &QLineEdit::returnPressed, this, [this] { addCode(); });
    connect(m_add, &QAbstractButton::clicked, this, [this] { addCode(); });
    syncAdd();
}

void GarageCodePanel::syncAdd()
{
    m_add->setEnabled(GarageRules::canAddCode(m_field->text()));
}

void GarageCodePanel::addCode()
{
    if (!GarageRules::canAddCode(m_field->text())) {
        m_note->setPlain(GarageRules::codeHint());
        m_note->show();
        return;
    }
    if (GarageActions::addCode(m_field->text(), m_vehicle.id, m_store, QString())) {
        m_field->clear();
        m_note->hide();
        m_note->setPlain(QString());
    }
}

void GarageCodePanel::showVehicle(const GarageVehicle &vehicle)
{
    m_vehicle = vehicle;
    m_report->setVehicle(vehicle);
    const Vorel *data = m_model.data();
    const QList<GarageCode> saved = m_store.codes(vehicle.id);

    if (saved != m_rowCodes || data != m_rowData) {
        // A row's own remove button may be what changed the list: let it go later.
        for (QWidget *row : m_rows) {
            row->hide();
            row->deleteLater();
        }
        m_rows.clear();
        for (const GarageCode &code : saved) {
            QWidget *row = makeRow(code, data);
            m_rowBox->addWidget(row);
            m_rows << row;
        }
        m_rowCodes = saved;
        m_rowData = data;
    }

    std::function<bool(const QString &)> known;
    if (data)
        known = [data](const QString &code) { return data->code(code).has_value(); };
    const QStringList mentioned = GarageRules::mentionedCodes(m_store.codesMentioned(vehicle.id), saved, known);
    m_mentioned->setPlain(GarageRules::mentionedLine(mentioned));
    m_mentioned->setVisible(!mentioned.isEmpty());
    m_empty->setVisible(saved.isEmpty() && mentioned.isEmpty());
}

QWidget *GarageCodePanel::makeRow(const GarageCode &code, const Vorel *data)
{
    const std::optional<OBDCode> info = data ? data->code(code.code) : std::nullopt;
    const QColor level = info ? FVPalette::color(info->level()) : QColor(Qt::gray);

    // A narrow row keeps dot, code, level and remove button on one line and
    // puts the title under them.
    auto *row = new QWidget;
    row->setObjectName(QStringLiteral("codeRow"));
    auto *box = new QBoxLayout(QBoxLayout::LeftToRight, row);
    box->setContentsMargins(0, 0, 0, 0);
    auto *line = new QHBoxLayout;
    line->addWidget(new LevelDot(level), 0, Qt::AlignVCenter);

    auto *open = new GaragePlainButton(QString(), code.code, 13, QFont::Black, true);
    open->setObjectName(QStringLiteral("openCode"));
    open->setToolTip(QStringLiteral("Open this code's page"));
    const QString text = code.code;
    connect(open, &QAbstractButton::clicked, this, [this, text] { m_model.openCode(text); });
    line->addWidget(open, 0, Qt::AlignVCenter);
    auto *gap = new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    line->addSpacerItem(gap);
    box->addLayout(line);

    auto *title = new ClampedText(12.5, QFont::Normal, 1);
    title->setObjectName(QStringLiteral("codeTitle"));
    title->setText(info ? info->title : GarageRules::unknownCodeTitle());
    box->addWidget(title, 1, Qt::AlignVCenter);

    auto *levelTitle = new KVTextLabel(info ? info->level().title() : QString(), 11.5, QFont::Bold);
    levelTitle->setColor(level);
    box->addWidget(levelTitle, 0, Qt::AlignVCenter);

    auto *remove = new GaragePlainButton(QStringLiteral("xmark.circle"), QString(), 14, QFont::Normal);
    remove->setObjectName(QStringLiteral("removeCode"));
    remove->setToolTip(QStringLiteral("Remove this code"));
    remove->setAccessibleName(QStringLiteral("Remove this code"));
    remove->setColor(FVPalette::current().dim);
    const qint64 id = code.id;
    connect(remove, &QAbstractButton::clicked, this, [this, id] { GarageActions::removeCode(id, m_store); });
    box->addWidget(remove, 0, Qt::AlignVCenter);
    auto *reflow = new ReflowRow(row, box, 380, [row, box, line, gap, levelTitle, remove](bool stacked) {
        for (QWidget *w : {static_cast<QWidget *>(levelTitle), static_cast<QWidget *>(remove)}) {
            (stacked ? box : line)->removeWidget(w);
            (stacked ? line : box)->addWidget(w, 0, Qt::AlignVCenter);
        }
        gap->changeSize(0, 0, stacked ? QSizePolicy::Expanding : QSizePolicy::Fixed, QSizePolicy::Minimum);
        box->setSpacing(KVScale::ipt(stacked ? 2 : 10));
        line->invalidate();
        row->updateGeometry(); // the panel keeps the old sizes otherwise
    });
    auto metrics = [box, line, reflow] {
        box->setSpacing(KVScale::ipt(reflow->stacked() ? 2 : 10));
        line->setSpacing(KVScale::ipt(10));
    };
    metrics();
    KVScaleWatch::follow(row, metrics);
    return row;
}

QList<QWidget *> GarageCodePanel::tabChain() const
{
    QList<QWidget *> chain{m_report, m_field, m_add};
    for (QWidget *row : m_rows)
        chain << row->findChild<QWidget *>(QStringLiteral("openCode")) << row->findChild<QWidget *>(QStringLiteral("removeCode"));
    return chain;
}

QString GarageCodePanel::noteText() const
{
    return m_note->shownText();
}

QString GarageCodePanel::emptyText() const
{
    return m_empty->shownText();
}

QString GarageCodePanel::mentionedText() const
{
    return m_mentioned->shownText();
}
