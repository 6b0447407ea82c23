#pragma once

// How the header fits a width (all in pixels): the title beside the search
// box while both fit, the search box shortened down to its minimum first,
// and then the title on a line of its own above the box and button; the tag
// (`tag`: its width with its gaps) goes up to the end of the title's line
// while both fit there (`margins`: the bar's padding at both ends).
struct HeaderFit
{
    bool stacked = false;  // the title on its own line
    int searchWidth = 0;
    bool tagUp = false;    // the tag on the title's line

    // `controls`: everything on the search line but the box and the title
    // (margins, spacing, button, tag).
    static HeaderFit fit(int available, int title, int controls, int preferredSearch, int minSearch, int tag = 0,
                         int margins = 0);
};
