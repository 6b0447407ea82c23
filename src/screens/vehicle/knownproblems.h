#pragma once

#include "look/bezel.h"

#include <QStringList>

class GaugeLabel;
class QVBoxLayout;
class KVTextLabel;

// The vehicle page's "known for" panel: a heading with the vehicle-year's
// name, one bulleted sentence per line (none for an empty list) and the
// reminder that the three sources are independent.
class KnownProblems : public Bezel
{
    Q_OBJECT

public:
    explicit KnownProblems(QWidget *parent = nullptr);

    // `name` is "<year> <display name>".
    void setLines(const QStringList &lines, const QString &name);
    // Whether the lines come from generated sample records (a note says so).
    void setSample(bool sample);

    QString headingText() const;
    QStringList lines() const { return m_lines; }
    QString footnoteText() const;

private:
    void applyMetrics();

    QVBoxLayout *m_box;
    QVBoxLayout *m_rows;
    GaugeLabel *m_heading = nullptr;
    KVTextLabel *m_footnote;
    KVTextLabel *m_sample; // shown when the records the lines come from are generated
    QStringList m_lines;
    QList<QWidget *> m_rowWidgets;
};
