#include "codesview.h"

#include "app/appmodel.h"
#include "app/modelobserver.h"
#include "codedetail.h"
#include "codelistmodel.h"
#include "codelistrules.h"
#include "coderowdelegate.h"
#include "data/vorel.h"
#include "filterchip.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvsearchfield.h"
#include "kit/kvtextlabel.h"
#include "listwell.h"
#include "look/reflowrow.h"
#include "look/fvpalette.h"
#include "look/fvscroll.h"
#include "look/fvrender.h"
#include "ptlayout.h"
#include "screenbits.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QListView>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

CodesView::CodesView(QWidget *parent)
    : CodesView(AppModel::shared(), parent)
{
}

CodesView::CodesView(AppModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_observer(new ModelObserver(this, [this] { refresh(); }))
{
    setObjectName(QStringLiteral("codes"));
    build();
    connect(&m_model, &AppModel::changed, this, [this](AppModel::Field field) {
        if (field == AppModel::Field::Data)
            m_codesOf = nullptr;
    });
    m_observer->watchModel(m_model, {AppModel::Field::Data, AppModel::Field::CodeFilter, AppModel::Field::CodeLevel,
                                     AppModel::Field::SelectedCode, AppModel::Field::Garage});
    m_observer->refreshNow();
}

void CodesView::build()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    m_body = new QWidget;
    outer->addWidget(m_body);
    auto *row = PtLayout::row(m_body, 16);
    PtLayout::margins(row, m_body, 20, 20, 20, 20);

    auto *left = new QWidget;
    left->setObjectName(QStringLiteral("codeColumn"));
    // A narrow screen puts the list above the code, which then scrolls with
    // the page instead of in a strip of its own below the list.
    (new ReflowRow(m_body, row, 360 + 16 + 420 + 40, [this](bool stacked) {
        if (m_detailPane)
            m_detailPane->setWholeHeight(stacked);
    }))->keepSide(left, 360, 300);
    auto *column = PtLayout::column(left, 8);

    m_field = new KVSearchField(CodeListRules::prompt());
    m_field->setFieldName(QStringLiteral("Filter codes"));
    m_field->setObjectName(QStringLiteral("codeFilter"));
    m_field->setText(m_model.codeFilter());
    connect(m_field, &KVSearchField::textChanged, this, [this](const QString &t) { m_model.setCodeFilter(t); });
    connect(m_field->lineEdit(), &QLineEdit::returnPressed, this, &CodesView::submit);
    m_field->lineEdit()->installEventFilter(this);
    column->addWidget(m_field);

    auto *chips = PtLayout::row(6, left);
    m_chipLevels.append(std::nullopt);
    for (Seriousness s : Seriousness::allCases())
        m_chipLevels.append(s);
    for (const std::optional<Seriousness> &level : std::as_const(m_chipLevels)) {
        const QColor fill = level ? FVPalette::color(*level) : FVPalette::current().accent;
        auto *chip = new FilterChip(CodeListRules::chipTitle(level), fill);
        connect(chip, &QAbstractButton::clicked, this, [this, level] { m_model.setCodeLevel(level); });
        chips->addWidget(chip);
        m_chips.append(chip);
    }
    chips->addStretch(1);
    column->addLayout(chips);

    m_count = new KVTextLabel(11);
    m_count->setObjectName(QStringLiteral("codeCount"));
    m_count->setColor(FVPalette::current().dim);
    column->addWidget(m_count);

    m_listModel = new CodeListModel(this);
    m_list = new QListView;
    m_list->setObjectName(QStringLiteral("codeList"));
    m_list->setAccessibleName(QStringLiteral("Trouble codes"));
    m_list->setModel(m_listModel);
    m_list->setItemDelegate(new CodeRowDelegate(m_list));
    m_list->setUniformItemSizes(true);
    ScreenBits::rowList(m_list, [this](int row) { openRow(row); });
    m_list->viewport()->setAutoFillBackground(false);
    m_list->setAutoFillBackground(false);
    // Row heights follow the zoom; the keyboard's row stays.
    KVScaleWatch::follow(m_list, [this] {
        const int row = m_list->currentIndex().row();
        m_list->reset();
        if (row >= 0)
            m_list->setCurrentIndex(m_listModel->index(row));
    });
    column->addWidget(new ListWell(m_list), 1);
    row->addWidget(left);

    m_detail = new CodeDetail(m_model);
    m_detailPane = ScreenBits::scrollPane(m_detail);
    row->addWidget(m_detailPane, 1);
}

void CodesView::refresh()
{
    const Vorel *data = m_model.data();
    m_body->setVisible(data != nullptr);
    if (!data) {
        m_listModel->setCodes({});
        m_detail->showCode(nullptr, QString());
        return;
    }
    const QList<OBDCode> &all = allCodes(*data);
    const QString query = CodeListRules::query(m_model.codeFilter());
    QList<OBDCode> matching = CodeListRules::matching(all, m_folded, m_model.codeLevel(), query);
    m_count->setPlain(CodeListRules::countLine(matching.size(), all.size()));
    m_field->setText(m_model.codeFilter());
    for (qsizetype i = 0; i < m_chips.size(); ++i)
        m_chips[i]->setActive(CodeListRules::chipActive(m_model.codeLevel(), m_chipLevels[i]));

    const QString shown = CodeListRules::shownCode(m_model.selectedCode(), matching);
    if (FVRender::snapshotMode && matching.size() > CodeListRules::snapshotRows)
        matching.resize(CodeListRules::snapshotRows);
    if (m_listModel->setCodes(matching) && m_list->isVisible())
        m_list->doItemsLayout(); // now, not on the view's timer: one frame draws the list
    m_listModel->setSelectedCode(m_model.selectedCode());
    ScreenBits::markSelected(m_list, m_model.selectedCode() ? m_listModel->rowOf(*m_model.selectedCode()) : -1);
    if (m_model.selectedCode() != m_revealed) {
        // A code chosen here or elsewhere comes into view and becomes the
        // keyboard's current row.
        m_revealed = m_model.selectedCode();
        ScreenBits::reveal(m_list, m_revealed ? m_listModel->rowOf(*m_revealed) : -1);
    }
    const bool another = shown != m_detail->code();
    m_detail->showCode(data, shown);
    if (!another)
        return;
    if (isVisible())
        settleDetail();
    // Another code is read from its top: its number and the My Garage panel.
    if (QScrollArea *area = m_detailPane->scrollArea())
        area->verticalScrollBar()->setValue(0);
}

void CodesView::settleDetail()
{
    // Another code's pane is laid out now rather than over the next event
    // rounds, each of which would draw it again.
    ScreenBits::settleLayout(m_detailPane);
    // A label whose text can be selected lays its text out on its first
    // paint and then asks to be drawn again: drawn once now into a pixel,
    // it asks before the frame.
    QPixmap pixel(1, 1);
    for (QLabel *label : m_detailPane->findChildren<QLabel *>()) {
        if ((label->textInteractionFlags() & Qt::TextSelectableByMouse) && label->isVisible())
            label->render(&pixel, QPoint(), QRegion(0, 0, 1, 1), QWidget::RenderFlags());
    }
    // The widgets shown, and those labels, ask to be drawn by posted events,
    // which would come after the frame already asked for and draw the pane
    // a second time.
    for (QObject *o : m_detailPane->findChildren<QObject *>())
        QCoreApplication::sendPostedEvents(o, QEvent::UpdateLater);
}

void CodesView::submit()
{
    const Vorel *data = m_model.data();
    if (!data)
        return;
    const QString query = CodeListRules::query(m_model.codeFilter());
    const QList<OBDCode> &all = allCodes(*data);
    const auto chosen = CodeListRules::submit(CodeListRules::matching(all, m_folded, m_model.codeLevel(), query), query);
    if (chosen)
        m_model.setSelectedCode(*chosen);
}

const QList<OBDCode> &CodesView::allCodes(const Vorel &data)
{
    if (m_codesOf != &data) {
        m_allCodes = data.allCodes();
        m_folded = CodeListRules::fold(m_allCodes);
        m_codesOf = &data;
    }
    return m_allCodes;
}

void CodesView::openRow(int row)
{
    const QString code = m_listModel->codeAt(row);
    if (!code.isEmpty())
        m_model.setSelectedCode(code);
}

bool CodesView::eventFilter(QObject *watched, QEvent *event)
{
    // Down from the filter field steps into the list.
    if (watched == m_field->lineEdit() && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Down && m_listModel->rowCount() > 0) {
        const int selected = m_model.selectedCode() ? m_listModel->rowOf(*m_model.selectedCode()) : -1;
        m_list->setCurrentIndex(m_listModel->index(std::max(0, selected)));
        m_list->setFocus(Qt::TabFocusReason);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

QString CodesView::countText() const
{
    return m_count->text();
}
