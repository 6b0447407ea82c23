#pragma once

#include <QList>
#include <QWidget>
#include <optional>

class AppModel;
class GarageCard;
class GarageCodePanel;
class GarageListRow;
class GarageServicePanel;
class GarageStore;
class KVChromeButton;
class KVTextLabel;
class ModelObserver;
class QVBoxLayout;
class ReflowRow;

// The My Garage editor: on the left the list of garage vehicles with the
// export command under it; on the right the shown vehicle's card, its
// trouble-code panel and its service log, or a note while the garage is
// empty. A narrow screen puts the list above the card in the one scrolling
// column. It reads through the store, writes through the garage actions and
// redraws once per burst of store or selection changes.
class GarageBody : public QWidget
{
    Q_OBJECT

public:
    GarageBody(GarageStore &g, AppModel &m, QWidget *parent = nullptr);

    // Makes the vehicle the shown one and drops any pending edit.
    void choose(qint64 id);
    // Asks for a folder and exports the garage there.
    void exportGarage();
    // Brings the widgets in line with the store and the selection now.
    void refresh();

    GarageCard *card() const { return m_card; }
    GarageCodePanel *codePanel() const { return m_codes; }
    GarageServicePanel *servicePanel() const { return m_service; }
    QList<GarageListRow *> rows() const { return m_rows; }
    KVChromeButton *exportButton() const { return m_export; }
    // The texts as shown; empty for what is hidden.
    QString exportNoteText() const;
    QString listEmptyText() const;
    bool showsVehicle() const;
    ModelObserver *observer() const { return m_observer; }
    // Height of the list, stacked above the card in a narrow screen.
    static double listHeightPoints(qsizetype rows);

protected:
    // Orders the Tab chain again once in its window: made elsewhere, the
    // rows (last in the chain's ring) would come after the panels.
    void showEvent(QShowEvent *event) override;

private:
    void fitColumns();
    QWidget *buildLeft();
    QWidget *buildRight();
    void syncRows();
    void orderTabs();
    void applyMetrics();

    GarageStore &m_store;
    AppModel &m_model;
    ModelObserver *m_observer;
    ReflowRow *m_reflow = nullptr;

    QWidget *m_left = nullptr;
    QVBoxLayout *m_leftBox = nullptr;
    QVBoxLayout *m_listBox = nullptr;
    QList<GarageListRow *> m_rows;
    KVTextLabel *m_listEmpty = nullptr;
    KVChromeButton *m_export = nullptr;
    KVTextLabel *m_exportNote = nullptr;

    QVBoxLayout *m_rightBox = nullptr;
    QWidget *m_vehicleBox = nullptr;
    GarageCard *m_card = nullptr;
    GarageCodePanel *m_codes = nullptr;
    GarageServicePanel *m_service = nullptr;
    QWidget *m_noVehicle = nullptr;
};
