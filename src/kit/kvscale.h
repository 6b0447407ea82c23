#pragma once

#include <QObject>

// The interface zoom as one scale factor: every size, padding, radius, line
// width and font size given in points is drawn through pt().
class KVScale final : public QObject
{
    Q_OBJECT

public:
    static KVScale &shared();

    static double factor() { return shared().m_factor; }
    static double pt(double points) { return points * shared().m_factor; }
    static int ipt(double points);

    // Sets the factor (1.0 = 100%); emits changed() when it differs.
    void setFactor(double factor);

signals:
    void changed(double factor);

private:
    KVScale() = default;
    double m_factor = 1.0;
};
