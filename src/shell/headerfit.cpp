#include "headerfit.h"

#include <algorithm>

HeaderFit HeaderFit::fit(int available, int title, int controls, int preferredSearch, int minSearch, int tag)
{
    const int room = available - controls;
    if (room - title >= minSearch)
        return {false, std::min(preferredSearch, room - title)};
    // Stacked, the box may use the whole line (the tag has gone up to the
    // title), down to a small floor.
    return {true, std::clamp(room + tag, std::min(minSearch, 80), preferredSearch)};
}
