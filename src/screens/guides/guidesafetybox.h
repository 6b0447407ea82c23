#pragma once

#include "data/guide.h"
#include "look/bezel.h"

#include <QHash>

// "Safety first": the safety notes a guide cites, in its order, each with a
// link to its public source when that source has a web address.
class GuideSafetyBox final : public Bezel
{
    Q_OBJECT

public:
    GuideSafetyBox(const Guide &g, const QHash<QString, SafetyNote> &safety,
                   const QHash<QString, SourceRef> &sources, QWidget *parent = nullptr);
};
