#pragma once

#include "vehiclepage.h"
#include "vehicleyearflag.h"

#include <QHash>
#include <QWidget>

class AppModel;
class EPATable;
class KnownProblems;
class ModelObserver;
class QStackedLayout;
class QVBoxLayout;
class KVTextLabel;
class VehicleHeader;

// The vehicle page of the current vehicle and model year: header, known-for
// panel, owner-complaint chart, recalls, investigations, service bulletins,
// EPA table and the data credit, in that fixed order inside one scrolling
// column; or, with nothing to show, the empty state that leads back to the
// start screen. The complaint, recall, investigation and bulletin sections
// are slots that their own panels fill.
class VehicleView : public QWidget
{
    Q_OBJECT

public:
    explicit VehicleView(QWidget *parent = nullptr);
    explicit VehicleView(AppModel &model, QWidget *parent = nullptr);

    // Whether the page (rather than the empty state) is shown.
    bool showsPage() const;
    // The page the view shows, none in the empty state.
    const std::optional<VehiclePage> &page() const { return m_page; }

    VehicleHeader *header() const { return m_header; }
    KnownProblems *knownProblems() const { return m_known; }
    EPATable *epaTable() const { return m_epa; }
    // The widget of a section. The complaint, recall, investigation and
    // bulletin sections start as hidden, empty slots.
    QWidget *section(VehiclePage::Section section) const { return m_sections.value(section); }
    // Puts a panel in the place of the complaint, recall, investigation or
    // bulletin section (the view takes it; the slot or earlier panel is
    // deleted); other sections are left alone. The panel updates itself
    // from the model.
    void setSection(VehiclePage::Section section, QWidget *panel);
    // The widgets of the page column from top to bottom.
    QList<QWidget *> sectionWidgets() const;
    QString creditText() const;

    // Whether the bulletin list shows all its bulletins rather than the first
    // 40: kept while the same vehicle and year stay shown. Changing it
    // emits showAllTSBChanged, for the bulletin section alone to follow.
    // The records the page read, when it shows that vehicle and year.
    const VehicleYearRecords *recordsFor(qint64 vehicleID, qint64 year) const
    {
        return m_page && m_page->vehicle.id == vehicleID && m_page->year == year ? &m_page->records : nullptr;
    }
    bool showAllTSB() const { return m_showAllTSB.value(); }
    void setShowAllTSB(bool showAll);

signals:
    void showAllTSBChanged();

private:
    QWidget *buildEmptyState();
    QWidget *buildPage();
    static void takeViewWidth(QWidget *w);
    void refresh();
    void applyMetrics();
    // Whether `focus` is on the header's year menu or recall lookup, which
    // every vehicle shows enabled.
    bool onSteadyHeaderControl(const QWidget *focus) const;

    AppModel &m_model;
    ModelObserver *m_observer;
    QStackedLayout *m_stack;
    QWidget *m_empty = nullptr;
    QWidget *m_pageWidget = nullptr;
    QVBoxLayout *m_emptyBox = nullptr;
    QVBoxLayout *m_column = nullptr;
    VehicleHeader *m_header = nullptr;
    KnownProblems *m_known = nullptr;
    EPATable *m_epa = nullptr;
    KVTextLabel *m_credit = nullptr;
    QHash<VehiclePage::Section, QWidget *> m_sections;
    std::optional<VehiclePage> m_page;
    VehicleYearFlag m_showAllTSB;
};
