#pragma once

#include <QString>

// The fixed texts of the "known for" panel.
namespace KnownForText {

// "What the <name> is known for" (the gauge label upper-cases it).
QString heading(const QString &name);
// The reminder that the three signals are independent.
QString footnote();

} // namespace KnownForText
