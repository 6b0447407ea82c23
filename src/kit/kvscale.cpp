#include "kvscale.h"

#include <cmath>

KVScale &KVScale::shared()
{
    static KVScale *instance = new KVScale();
    return *instance;
}

int KVScale::ipt(double points)
{
    return int(std::lround(pt(points)));
}

void KVScale::setFactor(double factor)
{
    if (!(factor > 0) || factor == m_factor)
        return;
    m_factor = factor;
    emit changed(factor);
}
