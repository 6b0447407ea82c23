#pragma once

#include "data/guide.h"
#include "look/bezel.h"

#include <QHash>

// "Public references": a link per source the guide cites that has a web
// address, then the note that the guidance is general.
class GuideRefsBox final : public Bezel
{
    Q_OBJECT

public:
    GuideRefsBox(const Guide &g, const QHash<QString, SourceRef> &sources, QWidget *parent = nullptr);
};
