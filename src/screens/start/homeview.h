#pragma once

#include <QList>
#include <QWidget>

class AppModel;
class KVChromeButton;
class ModelObserver;
class PickerColumn;
class QHBoxLayout;
class QVBoxLayout;
class SwitchToggle;
class KVTextLabel;

// The start screen "Find a Vehicle": the Year, Make, Model picker with the
// heavy-truck switch and the early-year note, the example vehicles and the
// line of what the reference data holds. Its state is the model's picker
// fields; without reference data it shows nothing.
class HomeView : public QWidget
{
    Q_OBJECT

public:
    explicit HomeView(QWidget *parent = nullptr);
    explicit HomeView(AppModel &model, QWidget *parent = nullptr);

    // The parts, for the window's tests and the snapshot renderer; null
    // without reference data.
    PickerColumn *yearColumn() const { return m_years; }
    PickerColumn *makeColumn() const { return m_makes; }
    PickerColumn *modelColumn() const { return m_models; }
    SwitchToggle *heavySwitch() const { return m_heavy; }
    QList<KVChromeButton *> exampleButtons() const { return m_examples; }
    // The early-year note shown, empty when none.
    QString earlyNote() const;
    QString countsText() const;

private:
    void build();
    void refresh();
    void refreshExamples();
    // The Tab order: the switch, each column's stop, the examples.
    void orderTabs();
    void applyMetrics();

    AppModel &m_model;
    ModelObserver *m_observer;
    QVBoxLayout *m_root = nullptr;
    bool m_narrow = false; // stacked panels, smaller margins
    bool m_columnsStacked = false;
    QVBoxLayout *m_picker = nullptr;
    QHBoxLayout *m_columnsRow = nullptr;
    QWidget *m_columns = nullptr;
    QHBoxLayout *m_bottom = nullptr;
    QVBoxLayout *m_exampleBox = nullptr;
    QVBoxLayout *m_contentsBox = nullptr;
    PickerColumn *m_years = nullptr;
    PickerColumn *m_makes = nullptr;
    PickerColumn *m_models = nullptr;
    SwitchToggle *m_heavy = nullptr;
    KVTextLabel *m_note = nullptr;
    KVTextLabel *m_counts = nullptr;
    KVTextLabel *m_credit = nullptr;
    QList<KVChromeButton *> m_examples;
    QStringList m_exampleLabels;
};
