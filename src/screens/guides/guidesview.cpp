#include "guidesview.h"

#include "app/appmodel.h"
#include "app/modelobserver.h"
#include "data/vorel.h"
#include "guidelistmodel.h"
#include "guidelistrules.h"
#include "guiderowdelegate.h"
#include "guiderunner.h"
#include "guidestepbox.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvscrollarea.h"
#include "listwell.h"
#include "look/fvrender.h"
#include "look/fvscroll.h"
#include "look/reflowrow.h"
#include "ptlayout.h"
#include "screenbits.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QListView>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

GuidesView::GuidesView(QWidget *parent)
    : GuidesView(AppModel::shared(), parent)
{
}

GuidesView::GuidesView(AppModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_observer(new ModelObserver(this, [this] { refresh(); }))
{
    setObjectName(QStringLiteral("guides"));
    build();
    connect(&m_model, &AppModel::changed, this, [this](AppModel::Field field) {
        if (field == AppModel::Field::SelectedGuide)
            m_opened = true;
    });
    m_observer->watchModel(m_model, {AppModel::Field::Data, AppModel::Field::SelectedGuide,
                                     AppModel::Field::GuidePath});
    m_observer->refreshNow();
}

void GuidesView::build()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    m_body = new QWidget;
    outer->addWidget(m_body);
    auto *row = PtLayout::row(m_body, 16);
    PtLayout::margins(row, m_body, 20, 20, 20, 20);

    m_listModel = new GuideListModel(this);
    m_list = new QListView;
    m_list->setObjectName(QStringLiteral("guideList"));
    m_list->setAccessibleName(QStringLiteral("Troubleshooting guides"));
    m_list->setModel(m_listModel);
    m_list->setItemDelegate(new GuideRowDelegate(m_list));
    m_list->setResizeMode(QListView::Adjust);
    ScreenBits::rowList(m_list, [this](int row) { openRow(row); });
    KVScaleWatch::follow(m_list, [this] {
        m_list->doItemsLayout();
        fitWholeList();
    });
    if (FVRender::snapshotMode) {
        m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // Rows wrap to the list's width: their heights follow it.
        m_list->installEventFilter(this);
    }
    auto *well = new ListWell(m_list, 6);
    m_runner = new GuideRunner(m_model);
    FVScroll *pane = m_pane = ScreenBits::scrollPane(m_runner);
    // A narrow screen puts the list above the guide, which then scrolls with
    // the page instead of in a strip of its own below the list.
    (new ReflowRow(m_body, row, 320 + 16 + 420 + 40, [pane](bool stacked) { pane->setWholeHeight(stacked); }))
        ->keepSide(well, 320, 260);
    row->addWidget(well);
    row->addWidget(pane, 1);
}

void GuidesView::refresh()
{
    const Vorel *data = m_model.data();
    m_body->setVisible(data != nullptr);
    const QList<Guide> guides = data ? data->guides() : QList<Guide>();
    m_listModel->setGroups(GuideListRules::groups(guides));
    m_listModel->setSelectedGuide(m_model.selectedGuide());
    fitWholeList();
    const std::optional<Guide> shown = GuideListRules::shown(guides, m_model.selectedGuide());
    // The guide shown, opened here or elsewhere (or the one shown before any
    // is), comes into view and becomes the keyboard's current row.
    const std::optional<QString> current = shown ? std::optional<QString>(shown->id) : std::nullopt;
    if (current != m_revealed) {
        m_revealed = current;
        ScreenBits::reveal(m_list, m_revealed ? m_listModel->rowOf(*m_revealed) : -1);
    }
    ScreenBits::markSelected(m_list, shown ? m_listModel->rowOf(shown->id) : -1); // the guide in the pane
    const bool opened = m_opened || current != m_shownID;
    const bool stepped = !opened && m_model.guidePath() != m_shownPath;
    m_opened = false;
    m_shownID = current;
    m_shownPath = m_model.guidePath();
    QScrollArea *area = m_pane->scrollArea();
    const int before = area ? area->verticalScrollBar()->value() : 0;
    m_runner->showGuide(data, shown);
    placePage(opened, stepped, before);
}

void GuidesView::placePage(bool opened, bool stepped, int before)
{
    QScrollArea *area = m_pane->scrollArea();
    if (!area)
        return;
    if (opened) {
        area->verticalScrollBar()->setValue(0);
        return;
    }
    GuideStepBox *step = m_runner->stepBox();
    if (!stepped || !step || !isVisible())
        return;
    // The new step is laid out now, so the page can stay where it was (its
    // old content went at once) and scroll just enough to show the step:
    // the whole box, or its top when taller than the view.
    ScreenBits::settleLayout(m_pane);
    area->verticalScrollBar()->setValue(before);
    const int margin = KVScale::ipt(8);
    QRect part = step->rect();
    part.setHeight(std::min(part.height(), std::max(1, area->viewport()->height() - 2 * margin)));
    KVScrollArea::reveal(step, margin, part);
}

void GuidesView::openRow(int row)
{
    const QString id = m_listModel->guideAt(row);
    if (!id.isEmpty())
        m_model.openGuide(id);
}

void GuidesView::fitWholeList()
{
    if (!FVRender::snapshotMode)
        return;
    int height = 2 * m_list->frameWidth();
    for (int row = 0; row < m_listModel->rowCount(); ++row)
        height += m_list->sizeHintForRow(row);
    if (m_list->minimumHeight() != height)
        m_list->setMinimumHeight(height);
}

bool GuidesView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::Resize)
        fitWholeList();
    return QWidget::eventFilter(watched, event);
}
