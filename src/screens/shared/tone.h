#pragma once

// The colour family of a chip or mark on the reference screens. The rules
// name a tone; the widgets turn it into a colour of the look (ToneColor).
enum class Tone {
    Accent, // the current theme's accent
    Green,
    Amber,
    Red,
    Grey, // the neutral grey of tags without a level or kind colour
};
