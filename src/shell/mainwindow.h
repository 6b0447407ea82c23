#pragma once

#include "app/screen.h"

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>

class AppModel;
class Header;
class ModelObserver;
class NetStatus;

class QScrollArea;
class QVBoxLayout;
class Sidebar;

// The content of the application's window: the sidebar down the left, and
// beside it the header over the current screen. The screen is made afresh
// whenever the model's screen changes to another one, except a screen
// registered as kept: made once, it is hidden while another shows; while the reference
// data could not be opened, an error panel stands in for every screen. A
// campaign in the model's recallShown brings up the recall sheet (window
// modal); closing the sheet empties recallShown.
//
// The screens come from other parts of the program, which register a maker
// per screen at start-up; a screen without one shows an empty panel with its
// title.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    using ScreenMaker = std::function<QWidget *()>;
    // Makes the sheet's content for a campaign; `dismiss` closes the sheet.
    using SheetMaker = std::function<QWidget *(const QString &campaign, std::function<void()> dismiss)>;

    enum class Keep { No, Yes };
    static void registerScreen(Screen screen, ScreenMaker make, Keep keep = Keep::No);
    static void setRecallSheetMaker(SheetMaker make);
    // The control (or group) a screen's keyboard focus starts at; without
    // one, its first Tab stop.
    static void setFirstFocus(QWidget *screenView, QWidget *control);
    // Forgets every registered maker (tests).
    static void clearMakers();

    explicit MainWindow(AppModel &m, NetStatus &net, QWidget *parent = nullptr);
    // The shared model and network status.
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    Sidebar *sidebar() const { return m_sidebar; }
    Header *header() const { return m_header; }
    // The view in the screen area: the current screen, or the error panel.
    QWidget *screenView() const { return m_view; }
    // The screen the area was last built for.
    Screen shownScreen() const { return m_shown; }
    bool showsLoadError() const { return m_showsError; }
    // The scroll area the screen sits in (null while snapshots are drawn, when
    // the screen lies flat at its full height): it scrolls only where the
    // screen cannot shrink to the space below the header, so the sidebar and
    // the header stay in place; a screen change starts it at the top.
    QScrollArea *screenArea() const { return m_screenArea; }
    // The open recall sheet, else null.
    QDialog *recallSheet() const { return m_sheet; }

    // "The reference data could not be opened: <error>".
    static QString loadErrorText(const QString &error);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void refresh();
    void showScreen(Screen screen);
    void syncSheet();
    void focusScreen();
    QWidget *makeScreen(Screen screen);
    // Takes the view out of the area: a kept screen is hidden, any other deleted.
    void retire(QWidget *view);
    // Every page scroller of the shown screen and the screen area back to the top.
    void scrollToTop();

    AppModel &m_model;
    Sidebar *m_sidebar;
    Header *m_header;
    QVBoxLayout *m_column;
    QScrollArea *m_screenArea = nullptr;
    QVBoxLayout *m_stage; // holds the screen view
    QWidget *m_view = nullptr;
    QHash<Screen, QWidget *> m_kept; // kept screens made so far (children)
    Screen m_shown = Screen::Home;
    bool m_built = false;
    bool m_showsError = false;
    QPointer<QDialog> m_sheet;
    QString m_sheetCampaign;
    ModelObserver *m_observer;
};
