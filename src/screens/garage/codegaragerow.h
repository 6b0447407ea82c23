#pragma once

#include "look/bezel.h"

class AppModel;
class GaragePlainButton;
class GarageStore;
class KVTextLabel;
class ModelObserver;

// The "My Garage" panel of a trouble-code page: saves the page's code to a
// garage vehicle, makes any garage vehicle's report with the code included,
// and names the vehicles that already hold the code. It follows the store.
class CodeGarageRow : public Bezel
{
    Q_OBJECT

public:
    CodeGarageRow(GarageStore &g, AppModel &m, const QString &code, QWidget *parent = nullptr);

    // Saves the code with the vehicle and, when that worked, selects it.
    void saveTo(qint64 garageID);
    void refresh();

    GaragePlainButton *saveMenu() const { return m_save; }
    GaragePlainButton *reportMenu() const { return m_report; }
    // The texts as shown; empty for what is hidden.
    QString emptyText() const;
    QString savedWithText() const;

private:
    GarageStore &m_store;
    AppModel &m_model;
    QString m_code;
    ModelObserver *m_observer;
    KVTextLabel *m_empty;
    GaragePlainButton *m_save;
    GaragePlainButton *m_report;
    KVTextLabel *m_savedWith;
};
