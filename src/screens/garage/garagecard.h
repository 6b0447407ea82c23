#pragma once

#include "garagedraft.h"
#include "look/bezel.h"

#include <optional>

class AppModel;
class GarageLineEdit;
class GarageStore;
class KVChromeButton;
class KVTextLabel;
class QBoxLayout;
class QPlainTextEdit;

// The card of the shown garage vehicle: its title, "Open vehicle page",
// "Remove…", the editable nickname, VIN, engine, mileage and notes, and
// "Save changes". Edits only change the draft; saving writes it through the
// garage actions. The title always shows the stored vehicle.
class GarageCard : public Bezel
{
    Q_OBJECT

public:
    GarageCard(GarageStore &g, AppModel &m, QWidget *parent = nullptr);

    // Shows `shown` (as the store lists it), or the draft while one is pending.
    void showVehicle(const std::optional<GarageVehicle> &shown);
    GarageDraft &draft() { return m_draft; }

    void save();
    // Asks, then removes the vehicle shown when the button was drawn.
    void remove();
    void openPage();

    KVTextLabel *title() const { return m_title; }
    GarageLineEdit *nickname() const { return m_nickname; }
    GarageLineEdit *vin() const { return m_vin; }
    GarageLineEdit *engine() const { return m_engine; }
    GarageLineEdit *mileage() const { return m_mileage; }
    QPlainTextEdit *notes() const { return m_notes; }
    KVChromeButton *saveButton() const { return m_save; }
    KVChromeButton *removeButton() const { return m_remove; }
    KVChromeButton *openButton() const { return m_open; }
    // Why the typed mileage or the last save was refused; empty when hidden.
    QString mileageProblem() const;
    // Why the typed nickname, VIN or notes are refused (too long), the first
    // shown; empty when none is.
    QString lengthProblem() const;
    QString saveProblem() const;
    // The focusable widgets in reading order.
    QList<QWidget *> tabChain() const;

private:
    QWidget *fieldRow(const QString &label, GarageLineEdit *field);
    static KVTextLabel *problemLabel(const QString &name);
    static void setProblem(KVTextLabel *label, const QString &problem);
    // Shows the problem of a typed text unless it is the stored one.
    void checkLength(KVTextLabel *label, const QString &typed, const QString &stored,
                     QString (*problem)(const QString &));
    bool anyProblem() const;
    void syncSave();
    void change(const std::function<void(GarageVehicle &)> &apply);
    void applyMetrics();

    GarageStore &m_store;
    AppModel &m_model;
    GarageDraft m_draft;
    std::optional<GarageVehicle> m_shown;
    bool m_updating = false;

    KVTextLabel *m_title;
    KVChromeButton *m_open;
    KVChromeButton *m_remove;
    GarageLineEdit *m_nickname;
    GarageLineEdit *m_vin;
    GarageLineEdit *m_engine;
    GarageLineEdit *m_mileage;
    QPlainTextEdit *m_notes;
    KVChromeButton *m_save;
    KVTextLabel *m_mileageProblem = nullptr;
    KVTextLabel *m_nicknameProblem = nullptr;
    KVTextLabel *m_vinProblem = nullptr;
    KVTextLabel *m_notesProblem = nullptr;
    KVTextLabel *m_saveProblem = nullptr;
    QList<QWidget *> m_labels;
    QWidget *m_notesWell = nullptr;
    QBoxLayout *m_headingBox = nullptr;
    QBoxLayout *m_buttonBox = nullptr;
};
