#include "codedetail.h"

#include "app/appmodel.h"
#include "data/vorel.h"
#include "kit/kvaccessible.h"
#include "kit/kvarrowkeys.h"
#include "kit/kvmono.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvsymbolview.h"
#include "kit/kvtextlabel.h"
#include "look/bezel.h"
#include "look/draftlabel.h"
#include "look/fvfont.h"
#include "look/fvpalette.h"
#include "look/gaugelabel.h"
#include "look/reflowrow.h"
#include "look/seriousnessdial.h"
#include "look/tag.h"
#include "ptlayout.h"
#include "screenbits.h"
#include "tagflow.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

CodeDetail::GarageRowMaker &maker()
{
    static CodeDetail::GarageRowMaker make;
    return make;
}

QLabel *monoLabel(const QString &text, double points)
{
    auto *label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    KVMono::apply(label, points, QFont::Black);
    return label;
}

// The tags of a code: one grey.
QColor tagGrey()
{
    return QColor::fromRgbF(0.38f, 0.38f, 0.38f, 1.0f);
}

// A code's tags: the draft mark, then its system, its family (hidden when it
// has none) and whether it is generic or a maker's own, as fill() labels them.
TagFlow *tagFlow()
{
    auto *tags = new TagFlow(8);
    tags->setObjectName(QStringLiteral("tags"));
    tags->add(new DraftLabel);
    for (int i = 0; i < 3; ++i)
        tags->add(new Tag(QString(), tagGrey()));
    return tags;
}

} // namespace

using ScreenBits::bezel;
using ScreenBits::wrapped;

// One of the four text blocks: its rows are kept (the most ever needed) and
// those a shorter text does not use are hidden.
struct CodeDetail::Block
{
    struct Row
    {
        QWidget *bullet;
        KVTextLabel *text;
    };
    QVBoxLayout *column = nullptr;
    QList<Row> rows;
};

struct CodeDetail::Explained
{
    QLabel *code = nullptr;
    KVTextLabel *title = nullptr;
    TagFlow *tags = nullptr;
    SeriousnessDial *dial = nullptr;
    KVTextLabel *why = nullptr;
    QWidget *note = nullptr;
    KVTextLabel *noteText = nullptr;
    Block blocks[4];
};

void CodeDetail::setGarageRowMaker(GarageRowMaker make)
{
    maker() = std::move(make);
}

const CodeDetail::GarageRowMaker &CodeDetail::garageRowMaker()
{
    return maker();
}

CodeDetail::CodeDetail(AppModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_box(PtLayout::column(this, 12))
    , m_garageSlot(new QWidget)
{
    setObjectName(QStringLiteral("codeDetail"));
    KVArrowKeys::confine(this);
    m_garageSlot->setObjectName(QStringLiteral("garageRow"));
    auto *slotBox = new QVBoxLayout(m_garageSlot);
    slotBox->setContentsMargins(0, 0, 0, 0);
    m_garageSlot->hide();
    m_box->addWidget(m_garageSlot);
}

CodeDetail::~CodeDetail() = default;

void CodeDetail::clearGarage()
{
    // The slot stays; its panel may be running the action that led here, so
    // it is only hidden now and goes with the next change, before that
    // change's frame (a deferred delete would draw the pane once more).
    for (const QPointer<QWidget> &old : std::as_const(m_oldPanels))
        delete old.data();
    m_oldPanels.clear();
    for (QWidget *row : m_garageSlot->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        m_garageSlot->layout()->removeWidget(row);
        row->hide();
        m_oldPanels.append(row);
    }
    m_garageSlot->hide();
}

void CodeDetail::clearContent()
{
    // The content holds nothing that acts: it goes at once, before the next
    // frame, so that the pane is drawn once with what replaces it.
    m_explained.reset();
    while (m_box->count() > 1) {
        QLayoutItem *item = m_box->takeAt(1);
        if (QWidget *w = item->widget()) {
            w->hide(); // a focused label hands its focus on as before
            delete w;
        }
        delete item;
    }
}

void CodeDetail::showCode(const Vorel *data, const QString &code)
{
    const bool garageOpen = m_model.garage() != nullptr;
    if (m_built && data == m_data && code == m_code && garageOpen == m_garageOpen)
        return;
    clearGarage();
    m_data = data;
    m_code = code;
    m_garageOpen = garageOpen;
    m_built = true;
    if (!data) {
        clearContent();
        return;
    }

    const std::optional<OBDCode> info = data->code(code);
    const std::optional<QStringList> lines = info ? std::nullopt : data->explainStructure(code);
    m_content = CodeDetailRules::content(info.has_value(), lines.has_value());

    if (CodeDetailRules::showsGarageRow(info.has_value(), lines.has_value(), garageOpen) && maker()) {
        if (QWidget *row = maker()(*m_model.garage(), m_model, code.toUpper())) {
            m_garageSlot->layout()->addWidget(row);
            m_garageSlot->show();
        }
    }

    if (m_content == CodeDetailRules::Content::Explanation && m_explained) {
        fill(*info);
        return;
    }
    clearContent();
    QWidget *content = nullptr;
    switch (m_content) {
    case CodeDetailRules::Content::Explanation:
        content = explanation(*info);
        break;
    case CodeDetailRules::Content::Structure:
        content = structure(*lines);
        break;
    case CodeDetailRules::Content::Prompt:
        content = prompt();
        break;
    }
    m_box->addWidget(content);
    if (isVisible())
        content->show();
}

QWidget *CodeDetail::explanation(const OBDCode &info)
{
    const FVPalette pal = FVPalette::current();
    m_explained = std::make_unique<Explained>();
    Explained &e = *m_explained;
    auto *all = new QWidget;
    auto *column = PtLayout::column(all, 12);

    // Header: code, title and tags on the left, the dial on the right.
    auto *header = new QWidget;
    auto *row = PtLayout::row(header, 20);
    auto *left = PtLayout::column(8, header);
    e.code = monoLabel(QString(), 44);
    e.code->setObjectName(QStringLiteral("code"));
    KVAccessible::setHeading(e.code);
    left->addWidget(e.code);
    e.title = wrapped(QString(), 20, QFont::Bold);
    e.title->setObjectName(QStringLiteral("title"));
    e.title->setTextInteractionFlags(Qt::TextSelectableByMouse);
    left->addWidget(e.title);
    e.tags = tagFlow();
    left->addWidget(e.tags);
    row->addLayout(left, 1);

    auto *dialBox = new QWidget;
    dialBox->setObjectName(QStringLiteral("dial"));
    auto *dialColumn = PtLayout::column(dialBox, 4);
    e.dial = new SeriousnessDial(info.level(), 130);
    dialColumn->addWidget(e.dial, 0, Qt::AlignHCenter);
    e.why = wrapped(QString(), 11, QFont::Normal, pal.dim);
    e.why->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    dialColumn->addWidget(e.why);
    row->addWidget(dialBox, 0, Qt::AlignTop);
    // A narrow header puts the dial below the code and its title, centred
    // across the panel.
    const auto fitDial = [dialBox](bool stacked) {
        if (stacked) {
            dialBox->setMinimumWidth(0);
            dialBox->setMaximumWidth(QWIDGETSIZE_MAX);
        } else {
            dialBox->setFixedWidth(KVScale::ipt(190));
        }
    };
    auto *reflow = new ReflowRow(header, row, 400, fitDial);
    fitDial(reflow->stacked());
    KVScaleWatch::follow(dialBox, [reflow, fitDial] { fitDial(reflow->stacked()); });
    column->addWidget(bezel(header, 26, 20));

    // The note's panel is kept, hidden for a code without a note.
    auto *noteRow = new QWidget;
    noteRow->setObjectName(QStringLiteral("note"));
    auto *h = PtLayout::row(noteRow, 6);
    auto *mark = new KVSymbolView(QStringLiteral("exclamationmark.octagon.fill"));
    mark->setPoints(13.5);
    mark->setColor(FVPalette::red());
    h->addWidget(mark, 0, Qt::AlignTop);
    e.noteText = wrapped(QString(), 13.5, QFont::DemiBold);
    e.noteText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    h->addWidget(e.noteText, 1);
    e.note = bezel(noteRow);
    column->addWidget(e.note);

    const QString titles[] = {QStringLiteral("What it means"), QStringLiteral("Common causes"),
                              QStringLiteral("Symptoms you may notice"), QStringLiteral("What to check first")};
    for (int i = 0; i < 4; ++i)
        column->addWidget(block(e.blocks[i], titles[i]));

    auto *closing = wrapped(CodeDetailRules::closingNote(), 11, QFont::Normal, pal.dim);
    closing->setObjectName(QStringLiteral("closing"));
    column->addWidget(closing);
    fill(info);
    return all;
}

// The code's texts in the explanation's widgets, made for it or kept from the
// code shown before.
void CodeDetail::fill(const OBDCode &info)
{
    Explained &e = *m_explained;
    e.code->setText(info.code);
    e.title->setPlain(info.title);

    const QList<QWidget *> chips = e.tags->chips();
    static_cast<Tag *>(chips[1])->setLabel(info.system, tagGrey());
    static_cast<Tag *>(chips[2])->setLabel(info.family, tagGrey());
    chips[2]->setVisible(!info.family.isEmpty());
    static_cast<Tag *>(chips[3])->setLabel(CodeDetailRules::scopeTag(info.code), tagGrey());
    e.tags->relayout();

    e.dial->setLevel(info.level());
    e.why->setPlain(info.level().explanation());
    e.noteText->setPlain(info.note);
    e.note->setVisible(!info.note.isEmpty());

    const QString texts[] = {info.meaning, info.causes, info.symptoms, info.checkFirst};
    for (int i = 0; i < 4; ++i)
        fillBlock(e.blocks[i], texts[i]);
}

QWidget *CodeDetail::block(Block &block, const QString &title)
{
    auto *content = new QWidget;
    block.column = PtLayout::column(content, 6);
    block.column->addWidget(new GaugeLabel(title));
    auto *panel = bezel(content);
    panel->setObjectName(QStringLiteral("block"));
    panel->setAccessibleName(title);
    return panel;
}

// A block's lines, bulleted or not; rows are added when the text has more
// lines than ever before.
void CodeDetail::fillBlock(Block &block, const QString &text)
{
    const CodeDetailRules::Block b = CodeDetailRules::block(text);
    QWidget *content = block.column->parentWidget();
    while (block.rows.size() < b.lines.size()) {
        auto *row = PtLayout::row(8, content);
        auto *bullet = new KVSymbolView(QStringLiteral("circle.fill"));
        bullet->setPoints(5);
        bullet->setColor(FVPalette::current().accentText());
        // Level with the first line of the text beside it.
        auto *cell = new QWidget;
        auto *cellBox = new QVBoxLayout(cell);
        cellBox->setContentsMargins(0, 0, 0, 0);
        cellBox->addWidget(bullet, 0, Qt::AlignCenter);
        auto fit = [cell] { cell->setFixedHeight(QFontMetrics(FVFont::font(14)).height()); };
        fit();
        KVScaleWatch::follow(cell, fit);
        row->addWidget(cell, 0, Qt::AlignTop);
        auto *label = wrapped(QString(), 14);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        row->addWidget(label, 1);
        block.column->addLayout(row);
        block.rows.append({cell, label});
    }
    for (qsizetype i = 0; i < block.rows.size(); ++i) {
        const Block::Row &row = block.rows[i];
        const bool used = i < b.lines.size();
        if (used)
            row.text->setPlain(b.lines[i]);
        row.text->setVisible(used);
        row.bullet->setVisible(used && b.bulleted);
    }
}

QWidget *CodeDetail::structure(const QStringList &lines)
{
    const FVPalette pal = FVPalette::current();
    auto *content = new QWidget;
    auto *column = PtLayout::column(content, 8);
    auto *code = monoLabel(m_code.toUpper(), 44);
    code->setObjectName(QStringLiteral("code"));
    KVAccessible::setHeading(code);
    column->addWidget(code);
    column->addWidget(wrapped(CodeDetailRules::structureHeading(), 18, QFont::Bold));
    column->addWidget(wrapped(CodeDetailRules::structureIntro(), 13, QFont::Normal, pal.dim));
    for (const QString &line : lines) {
        auto *label = wrapped(QStringLiteral("\u2022 ") + line, 13.5);
        label->setObjectName(QStringLiteral("structureLine"));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        column->addWidget(label);
    }
    column->addWidget(wrapped(CodeDetailRules::structureFooter(), 12, QFont::Normal, pal.dim));
    auto *panel = bezel(content, 26, 20);
    panel->setObjectName(QStringLiteral("structure"));
    return panel;
}

QWidget *CodeDetail::prompt()
{
    auto *panel = bezel(wrapped(CodeDetailRules::promptText(), 14));
    panel->setObjectName(QStringLiteral("prompt"));
    return panel;
}
