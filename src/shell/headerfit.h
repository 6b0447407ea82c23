#pragma once

// How the header fits a width (all in pixels): the title beside the search
// box while both fit, the search box shortened down to its minimum first,
// and then the title on a line of its own above the box, button and tag.
struct HeaderFit
{
    bool stacked = false;  // the title on its own line
    int searchWidth = 0;

    // `controls`: everything on the search line but the box and the title
    // (margins, spacing, button, tag).
    static HeaderFit fit(int available, int title, int controls, int preferredSearch, int minSearch);
};
