#pragma once

// How the header fits a width (all in pixels): the title beside the search
// box while both fit, the search box shortened down to its minimum first,
// and then the title on a line of its own (with the tag at its end, when
// `tag` gives the tag's width with its spacing) above the box and button.
struct HeaderFit
{
    bool stacked = false;  // the title on its own line
    int searchWidth = 0;

    // `controls`: everything on the search line but the box and the title
    // (margins, spacing, button, tag).
    static HeaderFit fit(int available, int title, int controls, int preferredSearch, int minSearch, int tag = 0);
};
