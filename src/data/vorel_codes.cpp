// Trouble-code look-ups and code structure.
#include "vorel.h"

#include "platform/text.h"

namespace {

OBDCode codeFromRow(const SQLRow &r)
{
    return OBDCode{r.str(0), r.str(1), r.str(2), r.str(3), r.str(4),  r.str(5),
                   r.str(6), r.str(7), r.str(8), r.str(9), r.str(10)};
}

// Upper-cased, then trimmed of blanks and tabs (line breaks stay).
QString codeKey(const QString &text)
{
    return Text::trimBlanks(text.toUpper());
}

const QString kCodeSql = QStringLiteral("SELECT * FROM obd_codes WHERE code = ?");

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F');
}

} // namespace

QList<OBDCode> Vorel::allCodes() const
{
    QList<OBDCode> out;
    for (const SQLRow &r : rowsOrEmpty(QStringLiteral(
             "SELECT * FROM obd_codes ORDER BY CASE substr(code, 1, 1) WHEN 'P' THEN 0 WHEN 'U' THEN 1 "
             "WHEN 'B' THEN 2 ELSE 3 END, code")))
        out.append(codeFromRow(r));
    return out;
}

std::optional<OBDCode> Vorel::code(const QString &code) const
{
    const QList<OBDCode> r = recordsOrEmpty<OBDCode>(kCodeSql, {codeKey(code)}, codeFromRow);
    if (r.isEmpty())
        return std::nullopt;
    return r.front();
}

std::optional<SearchHit> Vorel::codeHit(const QString &code) const
{
    // As code(), reading only the code, title and meaning of the first row.
    std::optional<SearchHit> hit;
    try {
        db->each(kCodeSql, {codeKey(code)}, [&hit](const SQLRow &r) {
            if (hit)
                return;
            const QString c = r.str(0);
            hit = SearchHit{SearchKind::Code, c, c + u' ' + r.str(3), r.str(4), std::nullopt};
        });
    } catch (const SQLError &) {
        return std::nullopt;
    }
    return hit;
}

bool Vorel::isWellFormedCode(const QString &code)
{
    const QString c = codeKey(code);
    if (c.size() != 5 || !QStringLiteral("PBCU").contains(c[0]))
        return false;
    for (qsizetype i = 1; i < 5; ++i)
        if (!isHexDigit(c[i]))
            return false;
    return true;
}

std::optional<QStringList> Vorel::explainStructure(const QString &code) const
{
    if (!isWellFormedCode(code))
        return std::nullopt;
    const QString c = codeKey(code);

    // The first row of each prefix is the one that counts.
    QHash<QString, QString> meaning;
    for (const SQLRow &r : rowsOrEmpty(QStringLiteral("SELECT prefix, kind, meaning FROM obd_structure"))) {
        const QString prefix = r.str(0);
        if (!meaning.contains(prefix))
            meaning.insert(prefix, r.str(2));
    }

    QStringList lines;
    const QString letter = c.left(1);
    const QString two = c.left(2);
    if (const auto it = meaning.constFind(letter); it != meaning.constEnd())
        lines.append(letter + QStringLiteral(": ") + *it);
    if (const auto it = meaning.constFind(two); it != meaning.constEnd())
        lines.append(two + QStringLiteral(": ") + *it);
    if (c[0] == u'P') {
        const QChar third = c[2];
        const QString key = QStringLiteral("P0") + third + QStringLiteral("/P2") + third;
        if (const auto it = meaning.constFind(key); it != meaning.constEnd())
            lines.append(QStringLiteral("Third character ") + third + QStringLiteral(": ") + *it);
    }
    return lines;
}
