#include "headerfit.h"

#include <algorithm>

HeaderFit HeaderFit::fit(int available, int title, int controls, int preferredSearch, int minSearch, int tag,
                         int margins)
{
    const int room = available - controls;
    if (room - title >= minSearch)
        return {false, std::min(preferredSearch, room - title), false};
    // Stacked, the box may use the whole line (less the tag while that stays
    // beside it), down to a small floor.
    const bool up = tag > 0 && title + tag <= available - margins;
    return {true, std::clamp(room + (up ? tag : 0), std::min(minSearch, 80), preferredSearch), up};
}
