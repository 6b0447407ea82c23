#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// What the self-test reads back from a PDF: its pages' texts and its title.
// Data that does not read as a PDF gives no pages and no title.
struct PdfRead
{
    QStringList pages;
    std::optional<QString> title;

    static PdfRead fromData(const QByteArray &data);
    static PdfRead fromFile(const QString &path);

    qsizetype pageCount() const { return pages.size(); }
    // Every page's text, a line feed between pages.
    QString text() const { return pages.join(u'\n'); }
};
