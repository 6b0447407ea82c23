#pragma once

#include "garage/garagecode.h"
#include "garage/garagevehicle.h"
#include "look/bezel.h"

#include <optional>

class AppModel;
class GarageLineEdit;
class GarageStore;
class KVChromeButton;
class KVTextLabel;
class QVBoxLayout;
class ReportMenu;
class Vorel;

// The "Trouble codes" panel of the shown garage vehicle: the report menu,
// the add-code form with its hint, the saved codes with their seriousness
// (each opens its page or is removed at once) and the codes that the notes
// and service log mention.
class GarageCodePanel : public Bezel
{
    Q_OBJECT

public:
    GarageCodePanel(GarageStore &g, AppModel &m, QWidget *parent = nullptr);

    void showVehicle(const GarageVehicle &vehicle);
    // Saves the typed code with the shown vehicle, or shows the hint.
    void addCode();

    GarageLineEdit *codeField() const { return m_field; }
    KVChromeButton *addButton() const { return m_add; }
    ReportMenu *reportMenu() const { return m_report; }
    // The texts as shown; empty for what is hidden.
    QString noteText() const;
    QString emptyText() const;
    QString mentionedText() const;
    // The saved codes' rows, in order.
    QList<QWidget *> rows() const { return m_rows; }
    // The focusable widgets in reading order.
    QList<QWidget *> tabChain() const;

private:
    QWidget *makeRow(const GarageCode &code, const Vorel *data);
    void syncAdd();

    GarageStore &m_store;
    AppModel &m_model;
    GarageVehicle m_vehicle;
    ReportMenu *m_report;
    GarageLineEdit *m_field;
    KVChromeButton *m_add;
    KVTextLabel *m_note;
    KVTextLabel *m_empty;
    QVBoxLayout *m_rowBox;
    QList<QWidget *> m_rows;
    QList<GarageCode> m_rowCodes;
    const Vorel *m_rowData = nullptr;
    KVTextLabel *m_mentioned;
};
