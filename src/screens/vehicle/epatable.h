#pragma once

#include "data/epaconfig.h"
#include "epatablerules.h"
#include "look/bezel.h"

class QVBoxLayout;
class KVTextLabel;

// The vehicle page's "Engines and transmissions (EPA)" panel: one row per
// configuration (engine, transmission, drive, fuel, variant), each followed
// by a divider, or a note when the EPA lists none for the year.
class EPATable : public Bezel
{
    Q_OBJECT

public:
    explicit EPATable(QWidget *parent = nullptr);

    void setConfigs(const QList<EPAConfig> &configs, qint64 year, bool heavy);

    // The note shown, empty when none.
    QString noteText() const;
    QList<EPATableRules::Row> rows() const { return m_rows; }
    // The widgets below the note: row, divider, row, divider, ...
    int itemCount() const;

private:
    void applyMetrics();

    QVBoxLayout *m_box;
    QVBoxLayout *m_list;
    KVTextLabel *m_note;
    QList<EPATableRules::Row> m_rows;
    bool m_filled = false;
};
