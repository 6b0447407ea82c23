#pragma once

#include "kit/kvplatefield.h"

// A one-line text field of the garage screens: the rounded face on a dark
// rounded plate with a faint rim that turns the accent colour, twice as
// thick, while the field has keyboard focus. The placeholder says what to type.
class GarageLineEdit : public KVPlateField
{
    Q_OBJECT

public:
    explicit GarageLineEdit(const QString &placeholder, QWidget *parent = nullptr);

    // Sets the text only when it differs, so the cursor stays where it is.
    void setPlain(const QString &text);
};
