#pragma once

#include "kit/kvplatefield.h"

// The VIN entry: a frameless field in a large monospaced face on a dark
// rounded plate with a faint white rim; the rim turns the accent colour
// while the field has keyboard focus.
class VINField : public KVPlateField
{
    Q_OBJECT

public:
    explicit VINField(QWidget *parent = nullptr);

    static QString placeholder();
};
