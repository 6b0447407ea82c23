#include "headerfit.h"

#include <algorithm>

HeaderFit HeaderFit::fit(int available, int title, int controls, int preferredSearch, int minSearch)
{
    const int room = available - controls;
    if (room - title >= minSearch)
        return {false, std::min(preferredSearch, room - title)};
    // Stacked, the box may use the whole line, down to a small floor.
    return {true, std::clamp(room, std::min(minSearch, 80), preferredSearch)};
}
