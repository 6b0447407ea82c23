#pragma once

#include <QRectF>
#include <QSizeF>

// Where one PDF page goes on the paper: turned a quarter when its
// orientation differs from the paper's, then scaled to fit and centred.
struct PrintFit
{
    bool rotate = false;
    QRectF target; // in the paper's units, inside `paper`

    static PrintFit place(const QSizeF &page, const QRectF &paper);
};
