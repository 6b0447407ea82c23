#pragma once

// What the fuzz targets share: the input read as text, and as a file.

#include <QByteArray>
#include <QString>
#include <sys/mman.h>
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace FuzzInput {

// The first byte chooses how the rest reads: odd as raw UTF-16 (lone
// surrogates and all), even as UTF-8.
inline QString text(const uint8_t *data, size_t size)
{
    if (size == 0)
        return QString();
    const char *rest = reinterpret_cast<const char *>(data + 1);
    if (data[0] & 1)
        return QString(reinterpret_cast<const QChar *>(rest), qsizetype((size - 1) / 2));
    return QString::fromUtf8(rest, qsizetype(size - 1));
}

// Stops the run when a stated property does not hold.
inline void require(bool holds, const char *what)
{
    if (!holds) {
        std::fprintf(stderr, "property failed: %s\n", what);
        std::abort();
    }
}

// The bytes as a file in memory, named by a path the readers can open.
class MemoryFile
{
public:
    MemoryFile(const uint8_t *data, size_t size)
    {
        m_fd = memfd_create("fuzz-input", 0);
        require(m_fd >= 0 && write(m_fd, data, size) == ssize_t(size), "the input is written to a memory file");
    }
    ~MemoryFile() { close(m_fd); }
    QString path() const { return QStringLiteral("/proc/self/fd/%1").arg(m_fd); }

private:
    int m_fd = -1;
};

} // namespace FuzzInput
