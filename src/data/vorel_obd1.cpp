// OBD-I notes, eras, photos, references and data sources.
#include "vorel.h"

#include <QDir>

QList<OBD1Section> Vorel::obd1Sections() const
{
    QList<OBD1Section> out;
    for (const SQLRow &r : rowsOrEmpty(QStringLiteral(
             "SELECT id, makes, years, system, connector, steps, reading, clearing, notes, sources FROM obd1 "
             "ORDER BY sort")))
        out.append(OBD1Section{r.str(0), r.str(1), r.str(2), r.str(3), r.str(4), jsonList(r.str(5)), r.str(6),
                               r.str(7), r.str(8), jsonList(r.str(9))});
    return out;
}

QList<EraNote> Vorel::eraNotes() const
{
    QList<EraNote> out;
    for (const SQLRow &r : rowsOrEmpty(QStringLiteral("SELECT years, note FROM obd_eras")))
        out.append(EraNote{r.str(0), r.str(1)});
    return out;
}

namespace {

const QString kPhotosSql = QStringLiteral(
    "SELECT image_id, file, make, model, license, license_url, author, credit, attribution_text, "
    "commons_page_url, generation_note FROM images ORDER BY make, model");

PhotoCredit photoFrom(const SQLRow &r)
{
    return PhotoCredit{r.integer(0), r.str(1), r.str(2), r.str(3), r.str(4),  r.str(5),
                       r.str(6),     r.str(7), r.str(8), r.str(9), r.str(10)};
}

} // namespace

QList<PhotoCredit> Vorel::photos() const
{
    return recordsOrEmpty<PhotoCredit>(kPhotosSql, {}, photoFrom);
}

std::optional<PhotoCredit> Vorel::photo(std::optional<qint64> id) const
{
    if (!id)
        return std::nullopt;
    // The whole list is read, as photos() does, but only the match is kept.
    std::optional<PhotoCredit> found;
    try {
        db->each(kPhotosSql, {}, [&](const SQLRow &r) {
            if (!found && r.integer(0) == *id)
                found = photoFrom(r);
        });
    } catch (const SQLError &) {
        return std::nullopt;
    }
    return found;
}

QString Vorel::photoURL(const PhotoCredit &photo) const
{
    const QString &file = photo.file;
    // One plain name inside the folder: nothing absolute, no separator, no way
    // up; dots inside a name ("Ford..Focus.png") are harmless.
    if (file.isEmpty() || file == QStringLiteral(".") || file == QStringLiteral("..") || file.contains(u'/')
        || file.contains(QChar(0)) || QDir::isAbsolutePath(file))
        return {};
    return QDir(photosFolder).filePath(file);
}

QList<RefLink> Vorel::refs() const
{
    QList<RefLink> out;
    for (const SQLRow &r : rowsOrEmpty(
             QStringLiteral("SELECT ref_id, title, url, publisher, use_for, allowed_use FROM refs ORDER BY ref_id")))
        out.append(RefLink{r.integer(0), r.str(1), r.str(2), r.str(3), r.str(4), r.str(5)});
    return out;
}

QList<DataSource> Vorel::dataSources() const
{
    QList<DataSource> out;
    for (const SQLRow &r : rowsOrEmpty(QStringLiteral("SELECT name, url, retrieved_at FROM data_sources ORDER BY name")))
        out.append(DataSource{r.str(0), r.str(1), r.str(2)});
    return out;
}
