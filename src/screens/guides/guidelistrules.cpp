#include "guidelistrules.h"

#include <algorithm>

QList<GuideListRules::Group> GuideListRules::groups(const QList<Guide> &guides)
{
    QList<Group> out;
    for (const Guide &g : guides) {
        auto it = std::find_if(out.begin(), out.end(), [&](const Group &x) { return x.system == g.system; });
        if (it == out.end())
            out.append(Group{g.system, {g}});
        else
            it->guides.append(g);
    }
    // Code points, not UTF-16 units: compare as UCS-4.
    std::sort(out.begin(), out.end(), [](const Group &a, const Group &b) {
        const QList<uint> x = a.system.toUcs4();
        const QList<uint> y = b.system.toUcs4();
        return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end());
    });
    return out;
}

QString GuideListRules::heading(const QString &system)
{
    return system.toUpper();
}

std::optional<Guide> GuideListRules::shown(const QList<Guide> &guides, const std::optional<QString> &selected)
{
    if (selected) {
        for (const Guide &g : guides)
            if (g.id == *selected)
                return g;
    }
    if (guides.isEmpty())
        return std::nullopt;
    return guides.front();
}
