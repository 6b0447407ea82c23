#include "knownfortext.h"

namespace KnownForText {

QString heading(const QString &name)
{
    return QStringLiteral("What the ") + name + QStringLiteral(" is known for");
}

QString footnote()
{
    return QStringLiteral("Three separate signals: owner complaints, safety recalls and the maker's own service "
                          "bulletins. A problem can show up in one and not the others.");
}

} // namespace KnownForText
