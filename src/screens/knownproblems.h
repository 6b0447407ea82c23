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

    QString headingText() const;
    QStringList lines() const { return m_lines; }
    QString footnoteText() const;

private:
    void applyMetrics();

    QVBoxLayout *m_box;
    QVBoxLayout *m_rows;
    GaugeLabel *m_heading = nullptr;
    KVTextLabel *m_footnote;
    QStringList m_lines;
    QList<QWidget *> m_rowWidgets;
};
