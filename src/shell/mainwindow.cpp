#include "mainwindow.h"

#include "app/appmodel.h"
#include "app/modelobserver.h"
#include "headerbar.h"
#include "kit/kvscale.h"
#include "kit/kvscrollarea.h"
#include "kit/kvtextlabel.h"
#include "look/bezel.h"
#include "look/fvfont.h"
#include "look/fvrender.h"
#include "look/fvscroll.h"
#include "look/fvthemeroot.h"
#include "look/gaugelabel.h"
#include "platform/netstatus.h"
#include "sidebar.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QHash>
#include <QSet>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

QHash<Screen, MainWindow::ScreenMaker> &screenMakers()
{
    static QHash<Screen, MainWindow::ScreenMaker> makers;
    return makers;
}

QSet<Screen> &keptScreens()
{
    static QSet<Screen> kept;
    return kept;
}

MainWindow::SheetMaker &sheetMaker()
{
    static MainWindow::SheetMaker maker;
    return maker;
}

// A bezel at the top of the area, padded by 20 points, with a stretch below.
QWidget *topPanel(QWidget *content)
{
    auto *area = new QWidget;
    auto *box = new QVBoxLayout(area);
    const int pad = KVScale::ipt(20);
    box->setContentsMargins(pad, pad, pad, pad);
    auto *bezel = new Bezel(area);
    bezel->setContent(content);
    box->addWidget(bezel);
    box->addStretch(1);
    return area;
}

QWidget *loadErrorPanel(const QString &text)
{
    auto *label = new KVTextLabel(text, 14);
    label->setObjectName(QStringLiteral("loadError"));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return topPanel(label);
}

// Stands in for a screen that no part of the program has registered.
QWidget *placeholder(Screen screen)
{
    auto *heading = new GaugeLabel(screen.title());
    heading->setObjectName(QStringLiteral("placeholderTitle"));
    return topPanel(heading);
}

const char *const firstFocusKey = "fvFirstFocus";

bool isTabStop(const QWidget *w, const QWidget *shownIn)
{
    return (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(shownIn);
}

// `within` itself or its first descendant in the Tab chain that takes Tab focus.
QWidget *firstTabStop(QWidget *within, const QWidget *shownIn)
{
    if (isTabStop(within, shownIn))
        return within;
    for (QWidget *w = within->nextInFocusChain(); w && w != within; w = w->nextInFocusChain()) {
        if (within->isAncestorOf(w) && isTabStop(w, shownIn))
            return w;
    }
    return nullptr;
}

} // namespace

void MainWindow::setFirstFocus(QWidget *screenView, QWidget *control)
{
    screenView->setProperty(firstFocusKey, QVariant::fromValue(QPointer<QWidget>(control)));
}

void MainWindow::registerScreen(Screen screen, ScreenMaker make, Keep keep)
{
    screenMakers().insert(screen, std::move(make));
    if (keep == Keep::Yes)
        keptScreens().insert(screen);
    else
        keptScreens().remove(screen);
}

void MainWindow::setRecallSheetMaker(SheetMaker make)
{
    sheetMaker() = std::move(make);
}

void MainWindow::clearMakers()
{
    screenMakers().clear();
    keptScreens().clear();
    sheetMaker() = nullptr;
}

QString MainWindow::loadErrorText(const QString &error)
{
    return QStringLiteral("The reference data could not be opened: ") + error;
}

MainWindow::MainWindow(QWidget *parent)
    : MainWindow(AppModel::shared(), NetStatus::shared(), parent)
{
}

MainWindow::MainWindow(AppModel &m, NetStatus &net, QWidget *parent)
    : QWidget(parent)
    , m_model(m)
    , m_sidebar(new Sidebar(m, this))
    , m_header(new Header(m, net, this))
    , m_column(new QVBoxLayout)
    , m_observer(new ModelObserver(this, [this] { refresh(); }))
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(m_sidebar);
    m_column->setContentsMargins(0, 0, 0, 0);
    m_column->setSpacing(0);
    m_column->addWidget(m_header);
    auto *stage = new QWidget;
    m_stage = new QVBoxLayout(stage);
    m_stage->setContentsMargins(0, 0, 0, 0);
    m_stage->setSpacing(0);
    if (FVRender::snapshotMode) {
        m_column->addWidget(stage, 1);
    } else {
        m_screenArea = KVScrollArea::plain(this);
        m_screenArea->setObjectName(QStringLiteral("screenArea"));
        m_screenArea->setWidget(stage);
        stage->setAutoFillBackground(false);
        m_column->addWidget(m_screenArea, 1);
    }
    row->addLayout(m_column, 1);

    m_observer->watchModel(m_model, {AppModel::Field::Screen, AppModel::Field::LoadError,
                                     AppModel::Field::RecallShown});
    m_observer->refreshNow();
}

MainWindow::~MainWindow()
{
    // The sheet hangs on the top-level window; it goes with the content that
    // made it (content built anew shows its own), leaving recallShown as is.
    if (QDialog *sheet = m_sheet) {
        m_sheet = nullptr;
        delete sheet;
    }
}

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // A window opening with no focus, or content built anew in place of
    // hidden content that had it (a theme change), starts at the screen's
    // first control.
    const QWidget *had = window()->focusWidget();
    if (!had || !had->isVisible())
        focusScreen();
}

void MainWindow::refresh()
{
    showScreen(m_model.screen());
    syncSheet();
}

QWidget *MainWindow::makeScreen(Screen screen)
{
    if (m_model.dataDamaged())
        return loadErrorPanel(AppModel::damagedText());
    if (m_model.loadError())
        return loadErrorPanel(loadErrorText(*m_model.loadError()));
    const ScreenMaker make = screenMakers().value(screen);
    QWidget *view = make ? make() : nullptr;
    return view ? view : placeholder(screen);
}

void MainWindow::showScreen(Screen screen)
{
    const bool error = m_model.loadError().has_value();
    // Setting the screen already shown keeps its view and the view's state.
    if (m_built && screen == m_shown && error == m_showsError)
        return;
    // The keyboard follows into the new screen unless it is in the sidebar,
    // the header or another window: otherwise hiding the old screen would
    // drop it somewhere out of sight.
    const QWidget *had = QApplication::focusWidget();
    const bool follow = !had || had->isAncestorOf(this) || (m_view && m_view->isAncestorOf(had));
    QWidget *next = error ? nullptr : m_kept.value(screen);
    if (!next) {
        next = makeScreen(screen);
        next->setParent(m_stage->parentWidget());
        next->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        if (!error && !m_model.dataDamaged() && keptScreens().contains(screen) && screenMakers().value(screen))
            m_kept.insert(screen, next);
    }
    if (m_view)
        retire(m_view);
    m_stage->addWidget(next, 1);
    m_view = next;
    // Before the window is shown, a view not hidden on purpose shows with it,
    // laid out once at the window's size.
    if (isVisible() || m_view->testAttribute(Qt::WA_WState_ExplicitShowHide))
        m_view->show();
    m_shown = screen;
    m_showsError = error;
    m_built = true;
    scrollToTop();
    if (follow)
        focusScreen();
}

void MainWindow::scrollToTop()
{
    const auto top = [](QScrollArea *area) {
        area->verticalScrollBar()->setValue(area->verticalScrollBar()->minimum());
        area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->minimum());
    };
    for (FVScroll *page : m_view->findChildren<FVScroll *>()) {
        if (QScrollArea *area = page->scrollArea())
            top(area);
    }
    if (m_screenArea)
        top(m_screenArea);
}

void MainWindow::retire(QWidget *view)
{
    m_stage->removeWidget(view);
    // Hiding a screen that holds the focus would pass it to the next control
    // in the window and scroll the window to it.
    if (QWidget *focus = QApplication::focusWidget(); focus && view->isAncestorOf(focus))
        focus->clearFocus();
    view->hide();
    for (QWidget *kept : std::as_const(m_kept)) {
        if (kept == view)
            return;
    }
    view->deleteLater();
}

void MainWindow::focusScreen()
{
    const QPointer<QWidget> named = m_view->property(firstFocusKey).value<QPointer<QWidget>>();
    QWidget *stop = named ? firstTabStop(named, this) : nullptr;
    if (!stop)
        stop = firstTabStop(m_view, this);
    // A screen without a stop yet still takes the focus, so Tab goes on inside
    // it; so does one whose first stop lies below what its view shows at the
    // top, so that the page starts at its top and Tab then goes to the stop.
    // (A stop not shown yet is placed later, with the page at its top.)
    const bool shown = stop && (!stop->isVisible() || KVScrollArea::showsWholeHeight(stop));
    (shown ? stop : m_view)->setFocus(Qt::OtherFocusReason);
}

void MainWindow::syncSheet()
{
    const std::optional<QString> campaign = m_model.recallShown();
    if (!campaign) {
        if (m_sheet) {
            QDialog *sheet = m_sheet;
            m_sheet = nullptr;
            sheet->close();
            sheet->deleteLater();
        }
        return;
    }
    if (m_sheet && m_sheetCampaign == *campaign)
        return;
    if (m_sheet) {
        // Another campaign: the sheet is made anew for it.
        QDialog *old = m_sheet;
        m_sheet = nullptr;
        old->close();
        old->deleteLater();
    }

    auto *sheet = new QDialog(window());
    sheet->setWindowModality(Qt::WindowModal);
    sheet->setWindowTitle(QStringLiteral("Recall ") + *campaign);
    sheet->setMinimumSize(KVScale::ipt(640), KVScale::ipt(520));
    auto *box = new QVBoxLayout(sheet);
    box->setContentsMargins(0, 0, 0, 0);
    const QString id = *campaign;
    const SheetMaker make = sheetMaker();
    QPointer<QDialog> guard(sheet);
    auto dismiss = [guard] {
        if (guard)
            guard->reject();
    };
    box->addWidget(new FVThemeRoot([make, id, dismiss]() -> QWidget * {
        QWidget *content = make ? make(id, dismiss) : nullptr;
        return content ? content : new QWidget;
    }));
    connect(sheet, &QDialog::finished, this, [this, sheet] {
        if (m_sheet != sheet)
            return;
        m_sheet = nullptr;
        sheet->deleteLater();
        m_model.setRecallShown(std::nullopt);
    });
    m_sheet = sheet;
    m_sheetCampaign = id;
    sheet->open();
}
