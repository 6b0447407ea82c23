#pragma once

// A thin SQLite VFS over the system's default one that verifies every page
// read from a database file sealed with page checksums (PageChecksum) and
// fails a damaged page with SQLITE_IOERR_DATA. While verifying it hands out
// no memory-mapped pages, so every page goes through the check. Files
// without checksums, and every other file, pass through unchanged.
struct sqlite3;

namespace CheckedVFS {

// The VFS's name for sqlite3_open_v2, registered (not as the default) on
// the first call.
const char *name();
// Whether a page of the connection's main file has failed its checksum (SQLite
// does not always pass the I/O error's extended code on).
bool pageFailed(sqlite3 *db);

} // namespace CheckedVFS
