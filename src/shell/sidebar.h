#pragma once

#include "app/screen.h"

#include <QWidget>

class AppModel;
class KVTextLabel;
class ModelObserver;
class QLabel;
class QVBoxLayout;
class RovingFocus;
class SidebarRow;

// The fixed-width column down the left of the main window: the mark and the
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

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void refresh();
    void applyMetrics();

    AppModel &m_model;
    QVBoxLayout *m_column;
    QWidget *m_mark;
    KVTextLabel *m_credit = nullptr; // the open database's data credit
    QList<SidebarRow *> m_rows;
    RovingFocus *m_focus = nullptr;
    QLabel *m_makerLink = nullptr;
    ModelObserver *m_observer;
};
