#pragma once

#include <QString>
#include <QStringList>

// What the code detail pane shows for a code and how it words it.
class CodeDetailRules final
{
public:
    CodeDetailRules() = delete;

    enum class Content { Explanation, Structure, Prompt };

    // A listed code is explained; an unlisted well-formed one gets its
    // structure; anything else the prompt.
    static Content content(bool listed, bool wellFormed);
    // The garage panel sits above the content for listed and well-formed
    // codes while My Garage is open.
    static bool showsGarageRow(bool listed, bool wellFormed, bool garageOpen);

    // From the character after the letter: "Generic (all makes)" for 0 and
    // 2, else "Generic range"; chassis C0 codes are "Generic range" too.
    static QString scopeTag(const QString &code);

    // A text block's lines: split at ";" and trimmed, empty pieces dropped;
    // in a list (the text holds a ";") each item loses one final ".". Lines
    // are shown with their first character upper-cased.
    struct Block
    {
        bool bulleted = false;
        QStringList lines;
        friend bool operator==(const Block &, const Block &) = default;
    };
    static Block block(const QString &text);

    static QString promptText();
    static QString closingNote();
    static QString structureHeading();
    static QString structureIntro();
    static QString structureFooter();
};
