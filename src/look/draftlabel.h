#pragma once

#include "tag.h"

// The fixed chip that marks texts still under technician review.
class DraftLabel : public Tag
{
    Q_OBJECT

public:
    explicit DraftLabel(QWidget *parent = nullptr);

    // "Draft — under technician review".
    static QString labelText();
};
