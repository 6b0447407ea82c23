#include "recallsheet.h"

#include "app/appmodel.h"
#include "data/nhtsatext.h"
#include "data/vorel.h"
#include "kit/kvchromebutton.h"
#include "kit/kvscale.h"
#include "kit/kvtextlabel.h"
#include "look/fvpalette.h"
#include "look/fvscroll.h"
#include "look/gaugelabel.h"
#include "kit/kvopen.h"
#include "recallrules.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

RecallSheet::RecallSheet(const QString &campaign, AppModel &model, std::function<void()> dismiss, QWidget *parent)
    : QWidget(parent)
    , m_dismiss(std::move(dismiss))
{
    setObjectName(QStringLiteral("recallSheet"));
    auto *box = new QVBoxLayout(this);
    const int pad = KVScale::ipt(22);
    box->setContentsMargins(pad, pad, pad, pad);
    box->setSpacing(KVScale::ipt(10));
    const Vorel *data = model.data();
    const std::optional<Recall> recall = data ? data->recall(campaign) : std::nullopt;
    if (recall)
        buildRecall(*data, *recall);
    else
        buildNotFound(campaign);
}

KVTextLabel *RecallSheet::addText(QBoxLayout *box, const QString &text, double points, int weight, bool selectable)
{
    auto *label = new KVTextLabel(text, points, QFont::Weight(weight));
    label->setWordWrap(true);
    if (selectable)
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->addWidget(label);
    m_texts << text;
    return label;
}

KVChromeButton *RecallSheet::closeButton(KVChromeButton *button)
{
    button->setObjectName(QStringLiteral("close"));
    connect(button, &QAbstractButton::clicked, this, [this] {
        if (m_dismiss)
            m_dismiss();
    });
    return button;
}

void RecallSheet::buildNotFound(const QString &campaign)
{
    auto *box = static_cast<QVBoxLayout *>(layout());
    addText(box, RecallRules::notFound(campaign), 14);
    KVChromeButton *close = closeButton(new KVChromeButton(QStringLiteral("Close")));
    box->addWidget(close, 0, Qt::AlignLeft);
    box->addStretch(1);
    close->setFocus();
}

void RecallSheet::buildRecall(const Vorel &data, const Recall &recall)
{
    m_found = true;
    const QColor dim = FVPalette::current().dim;
    auto *box = static_cast<QVBoxLayout *>(layout());

    auto *title = new QHBoxLayout;
    auto *heading = new KVTextLabel(RecallRules::title(recall.campaign), 22, QFont::ExtraBold);
    heading->setTextInteractionFlags(Qt::TextSelectableByMouse);
    title->addWidget(heading, 0, Qt::AlignVCenter);
    title->addStretch(1);
    KVChromeButton *close = closeButton(new KVChromeButton(QStringLiteral("Close"), false, true));
    title->addWidget(close, 0, Qt::AlignVCenter);
    box->addLayout(title);
    m_texts << heading->text();
    addText(box, RecallRules::facts(recall), 12)->setColor(dim);
    const bool sample = Provenance::of(&data).sample(Provenance::Kind::Recalls, recall.campaign);
    if (sample)
        addText(box, Provenance::sampleRecall(), 12, QFont::DemiBold)->setColor(FVPalette::amberText());

    auto *column = new QWidget;
    auto *inner = new QVBoxLayout(column);
    inner->setContentsMargins(0, 0, KVScale::ipt(8), 0);
    inner->setSpacing(KVScale::ipt(10));
    const auto section = [&](const QString &name, const QString &body) {
        auto *block = new QVBoxLayout;
        block->setSpacing(KVScale::ipt(3));
        block->addWidget(new GaugeLabel(name));
        m_texts << name;
        addText(block, RecallRules::body(body), 13, QFont::Normal, true);
        inner->addLayout(block);
    };
    section(QStringLiteral("Components"), RecallRules::components(recall));
    section(QStringLiteral("Summary"), NHTSAText::sentenceCase(recall.summary));
    section(QStringLiteral("Consequence"), NHTSAText::sentenceCase(recall.consequence));
    section(QStringLiteral("Remedy"), NHTSAText::sentenceCase(recall.remedy));
    if (RecallRules::showsNotes(recall))
        section(QStringLiteral("Notes"), NHTSAText::sentenceCase(recall.notes));

    const QList<RecallVehicle> covered = data.recallVehicles(recall.campaign);
    const QString coveredHeading = RecallRules::coveredHeading(covered.size());
    inner->addWidget(new GaugeLabel(coveredHeading));
    m_texts << coveredHeading;
    addText(inner, RecallRules::coveredText(covered), 12, QFont::Normal, true);
    addText(inner, RecallRules::note(sample), 11)->setColor(dim);
    auto *lookup = new KVChromeButton(RecallRules::lookupButton());
    lookup->setObjectName(QStringLiteral("lookup"));
    connect(lookup, &QAbstractButton::clicked, this, [lookup] { KVOpen::open(RecallRules::lookupURL(), lookup); });
    inner->addWidget(lookup, 0, Qt::AlignLeft);
    box->addWidget(new FVScroll(column), 1);
    close->setFocus();
}

QStringList RecallSheet::texts() const
{
    return m_texts;
}
