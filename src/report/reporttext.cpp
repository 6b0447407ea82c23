#include "reporttext.h"

#include <QTextBoundaryFinder>

namespace ReportText {

qsizetype characterCount(const QString &text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (finder.toNextBoundary() != -1)
        ++count;
    return count;
}

QString leftCharacters(const QString &text, qsizetype count)
{
    if (count <= 0)
        return {};
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype end = 0;
    for (qsizetype n = 0; n < count; ++n) {
        const qsizetype next = finder.toNextBoundary();
        if (next == -1)
            return text;
        end = next;
    }
    return text.left(end);
}

QString leftUtf8(const QString &text, qsizetype maxBytes)
{
    if (text.toUtf8().size() <= maxBytes)
        return text;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype end = 0;
    qsizetype bytes = 0;
    for (qsizetype next = finder.toNextBoundary(); next != -1; next = finder.toNextBoundary()) {
        bytes += QStringView(text).mid(end, next - end).toUtf8().size();
        if (bytes > maxBytes)
            break;
        end = next;
    }
    return text.left(end);
}

} // namespace ReportText
