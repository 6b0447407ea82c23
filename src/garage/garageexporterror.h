#pragma once

#include <QString>
#include <exception>

// Why an export of My Garage could not be written; the text is shown after
// "Export failed: ".
class GarageExportError : public std::exception
{
public:
    explicit GarageExportError(QString description) : m_description(std::move(description)), m_utf8(m_description.toUtf8()) {}
    const QString &description() const { return m_description; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_description;
    QByteArray m_utf8;
};
