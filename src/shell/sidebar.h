#pragma once

#include "app/screen.h"

#include <QPointer>

#include <optional>
#include <QWidget>

class AppModel;
class KVTextLabel;
class ModelObserver;
class QLabel;
class QVBoxLayout;
class RovingFocus;
class SidebarRow;

// The column down the left of the main window, 236 points wide while the
// window leaves the content room beside it and narrower in a small or zoomed
// window (the row titles are then shortened): the mark and the
// product name, one row per sidebar screen (a click shows that screen), and
// at the bottom the data credit and the maker's link. The row of the current
// screen is selected (Find a Vehicle also while the search results show); the
// Vehicle row is unavailable until a vehicle page has been opened.
class Sidebar : public QWidget
{
    Q_OBJECT

public:
    explicit Sidebar(AppModel &m, QWidget *parent = nullptr);

    QList<SidebarRow *> rows() const { return m_rows; }
    SidebarRow *row(Screen screen) const;

    // The row rules, for a row's screen given the model's screen and vehicle.
    static bool isSelected(Screen row, Screen current);
    static bool isAvailable(Screen row, bool hasCurrentVehicle);
    // The column's width for a window content width, both in points: the full
    // width while the content keeps `contentMinimum` beside it, else what is
    // left, never under `narrowest`.
    static double widthFor(double windowWidth);
    static constexpr double fullWidth = 236;
    static constexpr double contentMinimum = 310;
    static constexpr double narrowest = 140;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void refresh();
    void applyMetrics();
    void applyWidth();

    AppModel &m_model;
    QVBoxLayout *m_column;
    QWidget *m_mark;
    QList<QWidget *> m_names; // the product name beside the gauge
    KVTextLabel *m_credit = nullptr; // the open database's data credit
    QList<SidebarRow *> m_rows;
    RovingFocus *m_focus = nullptr;
    std::optional<Screen> m_selectedFor; // the screen the selection was last set for
    QLabel *m_makerLink = nullptr;
    ModelObserver *m_observer;
    QPointer<QWidget> m_window; // whose width sets the column's
};
