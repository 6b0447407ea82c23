#include "pagechecksum.h"

#include "sqldb.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <cstring>
#include <sqlite3.h>

namespace PageChecksum {

namespace {

constexpr uint64_t kP1 = 0x9E3779B185EBCA87ULL;
constexpr uint64_t kP2 = 0xC2B2AE3D27D4EB4FULL;
constexpr uint64_t kP3 = 0x165667B19E3779F9ULL;

constexpr int kHeaderPageSize = 16;
constexpr int kHeaderReserve = 20;
constexpr int kHeaderApplicationID = 68;

uint64_t wordAt(const unsigned char *p)
{
    uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return qFromLittleEndian(w);
}

int pageSizeOf(const unsigned char *header)
{
    const int v = (header[kHeaderPageSize] << 8) | header[kHeaderPageSize + 1];
    return v == 1 ? 65536 : v;
}

} // namespace

uint64_t of(const unsigned char *page, int size, uint32_t pageNumber)
{
    // Fletcher sums of 64-bit words in eight lanes (cheap enough to run on
    // every page read): any one changed word changes its lane's first sum,
    // and a word's place weighs in the second. A final mix spreads them.
    constexpr int kLanes = 8;
    const int words = (size - reserveBytes) / 8;
    // The lanes in pairs, each pair one SSE-sized vector (the compiler's own
    // SIMD), so they stay in registers.
    using Pair = uint64_t __attribute__((vector_size(16)));
    const Pair seed = {pageNumber, pageNumber};
    Pair f0 = Pair{0, 1} * kP1 + seed, f1 = Pair{2, 3} * kP1 + seed;
    Pair f2 = Pair{4, 5} * kP1 + seed, f3 = Pair{6, 7} * kP1 + seed;
    Pair s0 = {}, s1 = {}, s2 = {}, s3 = {};
    int i = 0;
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        for (; i + kLanes <= words; i += kLanes) {
            Pair w0, w1, w2, w3;
            std::memcpy(&w0, page + 8 * i, 16);
            std::memcpy(&w1, page + 8 * i + 16, 16);
            std::memcpy(&w2, page + 8 * i + 32, 16);
            std::memcpy(&w3, page + 8 * i + 48, 16);
            f0 += w0;
            f1 += w1;
            f2 += w2;
            f3 += w3;
            s0 += f0;
            s1 += f1;
            s2 += f2;
            s3 += f3;
        }
    }
    uint64_t a[kLanes], b[kLanes];
    const Pair firsts[4] = {f0, f1, f2, f3}, seconds[4] = {s0, s1, s2, s3};
    std::memcpy(a, firsts, sizeof a);
    std::memcpy(b, seconds, sizeof b);
    for (; i < words; ++i) {
        a[i % kLanes] += wordAt(page + 8 * i);
        b[i % kLanes] += a[i % kLanes];
    }
    uint64_t h = uint64_t(size) ^ kP3;
    for (int k = 0; k < kLanes; ++k) {
        h = (h ^ a[k]) * kP1;
        h = (h ^ b[k]) * kP2;
        h ^= h >> 29;
    }
    h ^= h >> 33;
    h *= kP3;
    h ^= h >> 32;
    return h;
}

bool matches(const unsigned char *page, int size, uint32_t pageNumber)
{
    return size > reserveBytes && wordAt(page + size - reserveBytes) == of(page, size, pageNumber);
}

bool sealedHeader(const unsigned char *header)
{
    return header[kHeaderReserve] == reserveBytes ||
           qFromBigEndian<uint32_t>(header + kHeaderApplicationID) == applicationID;
}

QString seal(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return QStringLiteral("no file ") + path;
    try {
        SQLDB db(path, false);
        int reserve = -1; // only asks
        sqlite3_file_control(db.handle(), "main", SQLITE_FCNTL_RESERVE_BYTES, &reserve);
        if (reserve != reserveBytes) {
            int wanted = reserveBytes;
            sqlite3_file_control(db.handle(), "main", SQLITE_FCNTL_RESERVE_BYTES, &wanted);
            db.exec(QStringLiteral("VACUUM"));
        }
        db.exec(QStringLiteral("PRAGMA application_id = %1").arg(qint64(applicationID)));
    } catch (const SQLError &e) {
        return e.description();
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return file.errorString();
    QByteArray page = file.read(100);
    if (page.size() < 100)
        return QStringLiteral("no database header");
    const auto *header = reinterpret_cast<const unsigned char *>(page.constData());
    const int pageSize = pageSizeOf(header);
    if (header[kHeaderReserve] != reserveBytes || pageSize < 512 || file.size() % pageSize != 0)
        return QStringLiteral("no room for page checksums");
    const qint64 pages = file.size() / pageSize;
    for (qint64 n = 1; n <= pages; ++n) {
        const qint64 at = (n - 1) * pageSize;
        if (!file.seek(at) || (page = file.read(pageSize)).size() != pageSize)
            return file.errorString();
        const auto *bytes = reinterpret_cast<const unsigned char *>(page.constData());
        const uint64_t sum = qToLittleEndian(of(bytes, pageSize, uint32_t(n)));
        if (!file.seek(at + pageSize - reserveBytes) ||
            file.write(reinterpret_cast<const char *>(&sum), sizeof sum) != qint64(sizeof sum))
            return file.errorString();
    }
    if (!file.flush())
        return file.errorString();
    return {};
}

} // namespace PageChecksum
