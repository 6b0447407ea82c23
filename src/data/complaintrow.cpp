#include "complaintrow.h"

#include "complaintrule.h"
#include "nhtsatext.h"

QString ComplaintRow::id() const
{
    return QString::number(level) + u'-' + component;
}

QString ComplaintRow::display() const
{
    return NHTSAText::display(component);
}

bool ComplaintRow::notablyHigh() const
{
    return ComplaintRule::notablyHigh(shareIndex, complaints, vehicleYearComplaints, zScore);
}
