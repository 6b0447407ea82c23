#pragma once

#include "data/obd1section.h"
#include "tone.h"

#include <QString>

// How one OBD-I section reads as a card, and the page's footer.
class OBD1Rules final
{
public:
    OBD1Rules() = delete;

    // "What we don't cover yet" for the "not-covered" section, else its makes.
    static QString title(const OBD1Section &s);
    // The system line shows when there is one, except on "not-covered".
    static bool showsSystem(const OBD1Section &s);
    // Grey for "pre-computer", else the accent.
    static Tone tagTone(const OBD1Section &s);
    // "Reading the codes" when the section has steps, else no heading.
    static QString readingTitle(const OBD1Section &s);
    // "<n>. <text>", counting from 1.
    static QString stepLine(qsizetype index, const QString &text);
    static QString footer();
};
