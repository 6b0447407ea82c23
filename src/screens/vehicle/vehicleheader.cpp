#include "vehicleheader.h"

#include "app/appmodel.h"
#include "data/vorel.h"
#include "headerrules.h"
#include "kit/kvchromebutton.h"
#include "kit/kvaccessible.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "look/reflowrow.h"
#include "look/fvalert.h"
#include "look/fvpalette.h"
#include "look/gaugelabel.h"
#include "look/tag.h"
#include "photoframe.h"
#include "kit/kvopen.h"
#include "kit/kvtextlabel.h"
#include "tonecolor.h"
#include "yearmenubutton.h"

#include <QHBoxLayout>
#include <QImage>
#include <QVBoxLayout>

namespace {
constexpr double kPhotoWidth = 330;
constexpr double kNarrow = 360;

// The photo at `path`, decoded again only when it differs from the last one
// (another year of the same vehicle shows the same photo). The last one is
// the picture shown, whose data the frame shares: keeping it costs nothing.
QImage loadPhoto(const QString &path)
{
    static QString lastPath;
    static QImage last;
    if (path != lastPath || last.isNull()) {
        last = QImage(path);
        lastPath = path;
    }
    return last;
}
} // namespace

VehicleHeader::VehicleHeader(AppModel &model, QWidget *parent)
    : Bezel(26, 18, parent)
    , m_model(model)
    , m_row(new QHBoxLayout)
    , m_photoColumn(new QVBoxLayout)
    , m_info(new QVBoxLayout)
    , m_yearRow(new QHBoxLayout)
    , m_actions(new QHBoxLayout)
    , m_photo(new PhotoFrame)
    , m_credit1(new KVTextLabel(10))
    , m_credit2(new KVTextLabel(10))
    , m_make(new KVTextLabel(13, QFont::Black))
    , m_modelName(new KVTextLabel(34, QFont::ExtraBold))
    , m_yearMenu(new YearMenuButton([this](qint64 year) {
        if (m_vehicle)
            m_model.openVehicle(m_vehicle->id, year);
    }))
    , m_runs(new KVTextLabel(15, QFont::DemiBold))
    , m_caution(new KVTextLabel(11.5))
    , m_types(new KVTextLabel(12))
    , m_garage(new KVChromeButton(HeaderRules::garageTitle(false), true, false))
    , m_recall(new KVChromeButton(HeaderRules::recallLookupTitle()))
{
    setObjectName(QStringLiteral("header"));
    const FVPalette pal = FVPalette::current();
    auto *content = new QWidget;
    content->setLayout(m_row);
    m_row->setContentsMargins(0, 0, 0, 0);

    // Photo column.
    m_photoColumn->addWidget(m_photo, 0, Qt::AlignHCenter);
    KVAccessible::setRole(m_photo, QAccessible::Graphic);
    KVAccessible::setHeading(m_modelName);
    for (KVTextLabel *credit : {m_credit1, m_credit2}) {
        credit->setColor(pal.dim);
        credit->setWordWrap(true);
        credit->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        m_photoColumn->addWidget(credit);
    }
    m_photoColumn->addStretch(1);
    m_row->addLayout(m_photoColumn);

    // Information column.
    m_make->setTracking(2.5);
    m_make->setColor(pal.accentText());
    m_info->addWidget(m_make);
    m_modelName->setWordWrap(true);
    m_info->addWidget(m_modelName);
    m_yearRow->setContentsMargins(0, 0, 0, 0);
    m_yearRow->addWidget(m_yearMenu);
    m_yearRow->addStretch(1);
    m_info->addLayout(m_yearRow);
    m_info->addWidget(new GaugeLabel(HeaderRules::yearsHeading()));
    m_runs->setWordWrap(true);
    m_info->addWidget(m_runs);
    m_caution->setColor(pal.dim);
    m_caution->setWordWrap(true);
    m_info->addWidget(m_caution);
    m_types->setColor(pal.dim);
    m_types->setWordWrap(true);
    m_info->addWidget(m_types);
    m_garage->setToolTip(HeaderRules::garageHelp());
    m_actions->addWidget(m_garage);
    m_actions->addWidget(m_recall);
    m_actions->addStretch(1);
    m_info->addLayout(m_actions);
    m_info->addStretch(1);
    m_row->addLayout(m_info, 1);
    // A narrow page puts the photo above the facts; a very narrow one also
    // puts the chips under the year and the buttons under each other.
    new ReflowRow(content, m_row, kPhotoWidth + 20 + 420);
    new ReflowRow(content, m_yearRow, kNarrow);
    new ReflowRow(content, m_actions, kNarrow);

    setContent(content);

    connect(m_garage, &QAbstractButton::clicked, this, [this] { addToGarage(); });
    connect(m_recall, &QAbstractButton::clicked, this,
            [this] { KVOpen::open(HeaderRules::recallLookupURL(), m_recall); });

    applyMetrics();
    KVScaleWatch::follow(this, [this] { applyMetrics(); });
}

void VehicleHeader::applyMetrics()
{
    m_row->setSpacing(KVScale::ipt(20));
    m_photoColumn->setSpacing(KVScale::ipt(6));
    m_info->setSpacing(KVScale::ipt(9));
    m_yearRow->setSpacing(KVScale::ipt(8));
    m_actions->setSpacing(KVScale::ipt(10));
    m_actions->setContentsMargins(0, KVScale::ipt(4), 0, 0);
    // As wide as the photo, narrower with it on a narrow page.
    for (KVTextLabel *credit : {m_credit1, m_credit2}) {
        credit->setMinimumWidth(0);
        credit->setMaximumWidth(KVScale::ipt(kPhotoWidth));
    }
}

void VehicleHeader::showVehicle(const Vorel &data, const VehicleInfo &v, qint64 year)
{
    // Another vehicle or year starts with "Add to My Garage" again.
    m_added.follow(v.id, year);
    m_vehicle = v;
    m_year = year;

    // Photo or outline; the credit follows the photo record, loaded or not.
    const std::optional<PhotoCredit> photo = data.photo(v.imageID);
    QImage image;
    if (photo) {
        const QString path = data.photoURL(*photo);
        if (!path.isEmpty())
            image = loadPhoto(path);
    }
    m_photo->setPicture(image, v.kind());
    const QStringList credit = HeaderRules::creditLines(photo, year);
    m_credit1->setPlain(credit.value(0));
    m_credit2->setPlain(credit.value(1));
    m_credit2->setVisible(credit.size() > 1);
    m_photo->setAccessibleName(credit.join(u' ')); // the picture named by its caption

    m_make->setPlain(HeaderRules::makeLine(v));
    m_modelName->setPlain(v.model);
    const QList<ModelYear> years = data.yearsFor(v.id);
    m_yearMenu->setYears(year, HeaderRules::yearMenu(years));

    QStringList texts;
    QList<QColor> colors;
    if (const auto heavy = HeaderRules::heavyTag(v)) {
        texts << heavy->text;
        colors << ToneColor::color(heavy->tone);
    }
    const HeaderRules::TagInfo confidence = HeaderRules::confidenceTag(v.confidence);
    texts << confidence.text;
    colors << ToneColor::color(confidence.tone);
    setTags(texts, colors);

    m_runs->setPlain(Vorel::yearRuns(years));
    const std::optional<QString> caution = HeaderRules::cautionNote(v);
    m_caution->setPlain(caution.value_or(QString()));
    m_caution->setVisible(caution.has_value());
    const std::optional<QString> types = HeaderRules::typeLine(v.types);
    m_types->setPlain(types.value_or(QString()));
    m_types->setVisible(types.has_value());
    updateGarageButton();
}

void VehicleHeader::setTags(const QStringList &texts, const QList<QColor> &colors)
{
    if (texts == m_tagTexts)
        return;
    for (QWidget *t : std::as_const(m_tags)) {
        m_yearRow->removeWidget(t);
        delete t;
    }
    m_tags.clear();
    for (qsizetype i = 0; i < texts.size(); ++i) {
        auto *tag = new Tag(texts[i], colors[i]);
        // After the year menu, before the stretch.
        m_yearRow->insertWidget(int(1 + i), tag, 0, Qt::AlignVCenter);
        m_tags.append(tag);
    }
    m_tagTexts = texts;
}

void VehicleHeader::addToGarage()
{
    if (!m_vehicle || m_added.value())
        return;
    if (HeaderRules::addToGarage(m_model, *m_vehicle, m_year)) {
        m_added.set(true);
        updateGarageButton();
        return;
    }
    FVAlert::tell(window(), QStringLiteral("My Garage"), HeaderRules::garageFailure(m_model));
}

void VehicleHeader::updateGarageButton()
{
    const bool added = m_added.value();
    const QString title = HeaderRules::garageTitle(added);
    if (m_garage->text() != title)
        m_garage->setText(title);
    m_garage->setEnabled(!added);
}

QString VehicleHeader::makeText() const
{
    return m_make->text();
}

QString VehicleHeader::modelText() const
{
    return m_modelName->text();
}

QString VehicleHeader::yearRunsText() const
{
    return m_runs->text();
}

QString VehicleHeader::cautionText() const
{
    return m_caution->isHidden() ? QString() : m_caution->text();
}

QString VehicleHeader::typeText() const
{
    return m_types->isHidden() ? QString() : m_types->text();
}

QStringList VehicleHeader::creditTexts() const
{
    QStringList out{m_credit1->text()};
    if (!m_credit2->isHidden())
        out << m_credit2->text();
    return out;
}
