#pragma once

#include <QString>
#include <exception>

// The database layer's error: one description text, shown to the user unchanged.
class SQLError : public std::exception
{
public:
    explicit SQLError(QString description) : m_description(std::move(description)), m_utf8(m_description.toUtf8()) {}
    const QString &description() const { return m_description; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_description;
    QByteArray m_utf8;
};
