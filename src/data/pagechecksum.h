#pragma once

#include <QString>
#include <cstdint>

// Page checksums of the reference database. A sealed file keeps in the last
// eight bytes of every page (SQLite's reserved bytes) a checksum of the rest
// of that page and its page number, and carries `applicationID` in its
// header; CheckedVFS verifies every page read from such a file.
namespace PageChecksum {

constexpr int reserveBytes = 8;
constexpr uint32_t applicationID = 0x46565231; // "FVR1"

// The checksum of `page` (its `size` bytes less the reserved tail), the
// page's number mixed in so a page found at the wrong place fails too.
uint64_t of(const unsigned char *page, int size, uint32_t pageNumber);
// Whether a page holds its own checksum in its tail.
bool matches(const unsigned char *page, int size, uint32_t pageNumber);
// Whether a database header (its first 100 bytes) marks a sealed file.
bool sealedHeader(const unsigned char *header);

// Seals a finished database file that nobody has open: rebuilds it with
// room for the checksums when it has none (VACUUM), marks its header and
// writes every page's checksum. Returns an empty text, or what failed.
QString seal(const QString &path);

} // namespace PageChecksum
