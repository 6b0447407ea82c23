#include "checkedvfs.h"

#include "pagechecksum.h"

#include <sqlite3.h>

namespace CheckedVFS {

namespace {

constexpr char kName[] = "fv-checked";
// A file-control code of this VFS's own, far above SQLite's.
constexpr int kFailedOp = 0x46560001;

struct CheckedFile
{
    sqlite3_file base;
    sqlite3_file *real; // the default VFS's file, right after this struct
    bool mainDb;
    // Known from the first header read; a file once seen sealed stays so.
    enum { Unknown, Plain, Verify } state;
    int pageSize;
    // A page has failed its checksum.
    bool failed;
};

constexpr int kRealOffset = (sizeof(CheckedFile) + 7) & ~7;

sqlite3_vfs *realVfs(sqlite3_vfs *vfs)
{
    return static_cast<sqlite3_vfs *>(vfs->pAppData);
}

sqlite3_file *real(sqlite3_file *file)
{
    return reinterpret_cast<CheckedFile *>(file)->real;
}

int fileClose(sqlite3_file *file)
{
    return real(file)->pMethods->xClose(real(file));
}

int fileRead(sqlite3_file *file, void *buffer, int amount, sqlite3_int64 offset)
{
    auto *f = reinterpret_cast<CheckedFile *>(file);
    const int rc = f->real->pMethods->xRead(f->real, buffer, amount, offset);
    if (!f->mainDb || (rc != SQLITE_OK && rc != SQLITE_IOERR_SHORT_READ))
        return rc;
    const auto *bytes = static_cast<const unsigned char *>(buffer);
    if (offset == 0 && amount >= 100 && rc == SQLITE_OK) {
        if (PageChecksum::sealedHeader(bytes)) {
            f->state = CheckedFile::Verify;
            const int v = (bytes[16] << 8) | bytes[17];
            f->pageSize = v == 1 ? 65536 : v;
        } else if (f->state == CheckedFile::Unknown) {
            f->state = CheckedFile::Plain;
        }
    }
    if (f->state != CheckedFile::Verify || amount != f->pageSize || offset % amount != 0)
        return rc;
    // A whole page: a short one is a cut-off file.
    if (rc != SQLITE_OK || !PageChecksum::matches(bytes, amount, uint32_t(offset / amount + 1))) {
        f->failed = true;
        return SQLITE_IOERR_DATA;
    }
    return rc;
}

int fileWrite(sqlite3_file *file, const void *buffer, int amount, sqlite3_int64 offset)
{
    return real(file)->pMethods->xWrite(real(file), buffer, amount, offset);
}

int fileTruncate(sqlite3_file *file, sqlite3_int64 size)
{
    return real(file)->pMethods->xTruncate(real(file), size);
}

int fileSync(sqlite3_file *file, int flags)
{
    return real(file)->pMethods->xSync(real(file), flags);
}

int fileSize(sqlite3_file *file, sqlite3_int64 *size)
{
    return real(file)->pMethods->xFileSize(real(file), size);
}

int fileLock(sqlite3_file *file, int lock)
{
    return real(file)->pMethods->xLock(real(file), lock);
}

int fileUnlock(sqlite3_file *file, int lock)
{
    return real(file)->pMethods->xUnlock(real(file), lock);
}

int fileCheckReservedLock(sqlite3_file *file, int *out)
{
    return real(file)->pMethods->xCheckReservedLock(real(file), out);
}

int fileControl(sqlite3_file *file, int op, void *arg)
{
    if (op == kFailedOp) {
        *static_cast<int *>(arg) = reinterpret_cast<CheckedFile *>(file)->failed ? 1 : 0;
        return SQLITE_OK;
    }
    return real(file)->pMethods->xFileControl(real(file), op, arg);
}

int fileSectorSize(sqlite3_file *file)
{
    return real(file)->pMethods->xSectorSize(real(file));
}

int fileDeviceCharacteristics(sqlite3_file *file)
{
    return real(file)->pMethods->xDeviceCharacteristics(real(file));
}

int fileShmMap(sqlite3_file *file, int region, int size, int extend, void volatile **out)
{
    const sqlite3_io_methods *m = real(file)->pMethods;
    return m->iVersion >= 2 && m->xShmMap ? m->xShmMap(real(file), region, size, extend, out) : SQLITE_IOERR_SHMMAP;
}

int fileShmLock(sqlite3_file *file, int offset, int n, int flags)
{
    const sqlite3_io_methods *m = real(file)->pMethods;
    return m->iVersion >= 2 && m->xShmLock ? m->xShmLock(real(file), offset, n, flags) : SQLITE_IOERR_SHMLOCK;
}

void fileShmBarrier(sqlite3_file *file)
{
    const sqlite3_io_methods *m = real(file)->pMethods;
    if (m->iVersion >= 2 && m->xShmBarrier)
        m->xShmBarrier(real(file));
}

int fileShmUnmap(sqlite3_file *file, int deleteFlag)
{
    const sqlite3_io_methods *m = real(file)->pMethods;
    return m->iVersion >= 2 && m->xShmUnmap ? m->xShmUnmap(real(file), deleteFlag) : SQLITE_OK;
}

int fileFetch(sqlite3_file *file, sqlite3_int64 offset, int amount, void **out)
{
    auto *f = reinterpret_cast<CheckedFile *>(file);
    const sqlite3_io_methods *m = f->real->pMethods;
    // A mapped page would skip the check: SQLite reads it instead.
    if ((f->mainDb && f->state != CheckedFile::Plain) || m->iVersion < 3 || !m->xFetch) {
        *out = nullptr;
        return SQLITE_OK;
    }
    return m->xFetch(f->real, offset, amount, out);
}

int fileUnfetch(sqlite3_file *file, sqlite3_int64 offset, void *page)
{
    const sqlite3_io_methods *m = real(file)->pMethods;
    return m->iVersion >= 3 && m->xUnfetch ? m->xUnfetch(real(file), offset, page) : SQLITE_OK;
}

const sqlite3_io_methods kMethods = {
    3,
    fileClose,
    fileRead,
    fileWrite,
    fileTruncate,
    fileSync,
    fileSize,
    fileLock,
    fileUnlock,
    fileCheckReservedLock,
    fileControl,
    fileSectorSize,
    fileDeviceCharacteristics,
    fileShmMap,
    fileShmLock,
    fileShmBarrier,
    fileShmUnmap,
    fileFetch,
    fileUnfetch,
};

int vfsOpen(sqlite3_vfs *vfs, sqlite3_filename name, sqlite3_file *file, int flags, int *outFlags)
{
    auto *f = reinterpret_cast<CheckedFile *>(file);
    f->real = reinterpret_cast<sqlite3_file *>(reinterpret_cast<char *>(file) + kRealOffset);
    f->mainDb = (flags & SQLITE_OPEN_MAIN_DB) != 0;
    f->state = CheckedFile::Unknown;
    f->pageSize = 0;
    f->failed = false;
    f->real->pMethods = nullptr;
    const int rc = realVfs(vfs)->xOpen(realVfs(vfs), name, f->real, flags, outFlags);
    if (rc != SQLITE_OK) {
        if (f->real->pMethods)
            f->real->pMethods->xClose(f->real);
        file->pMethods = nullptr;
        return rc;
    }
    file->pMethods = &kMethods;
    return rc;
}

int vfsDelete(sqlite3_vfs *vfs, const char *name, int syncDir)
{
    return realVfs(vfs)->xDelete(realVfs(vfs), name, syncDir);
}

int vfsAccess(sqlite3_vfs *vfs, const char *name, int flags, int *out)
{
    return realVfs(vfs)->xAccess(realVfs(vfs), name, flags, out);
}

int vfsFullPathname(sqlite3_vfs *vfs, const char *name, int size, char *out)
{
    return realVfs(vfs)->xFullPathname(realVfs(vfs), name, size, out);
}

void *vfsDlOpen(sqlite3_vfs *vfs, const char *name)
{
    return realVfs(vfs)->xDlOpen(realVfs(vfs), name);
}

void vfsDlError(sqlite3_vfs *vfs, int size, char *out)
{
    realVfs(vfs)->xDlError(realVfs(vfs), size, out);
}

void (*vfsDlSym(sqlite3_vfs *vfs, void *handle, const char *symbol))(void)
{
    return realVfs(vfs)->xDlSym(realVfs(vfs), handle, symbol);
}

void vfsDlClose(sqlite3_vfs *vfs, void *handle)
{
    realVfs(vfs)->xDlClose(realVfs(vfs), handle);
}

int vfsRandomness(sqlite3_vfs *vfs, int size, char *out)
{
    return realVfs(vfs)->xRandomness(realVfs(vfs), size, out);
}

int vfsSleep(sqlite3_vfs *vfs, int microseconds)
{
    return realVfs(vfs)->xSleep(realVfs(vfs), microseconds);
}

int vfsCurrentTime(sqlite3_vfs *vfs, double *out)
{
    return realVfs(vfs)->xCurrentTime(realVfs(vfs), out);
}

int vfsGetLastError(sqlite3_vfs *vfs, int size, char *out)
{
    sqlite3_vfs *r = realVfs(vfs);
    return r->xGetLastError ? r->xGetLastError(r, size, out) : 0;
}

int vfsCurrentTimeInt64(sqlite3_vfs *vfs, sqlite3_int64 *out)
{
    sqlite3_vfs *r = realVfs(vfs);
    if (r->iVersion >= 2 && r->xCurrentTimeInt64)
        return r->xCurrentTimeInt64(r, out);
    double days = 0;
    const int rc = r->xCurrentTime(r, &days);
    *out = sqlite3_int64(days * 86400000.0);
    return rc;
}

sqlite3_vfs *registered()
{
    sqlite3_vfs *under = sqlite3_vfs_find(nullptr);
    if (!under)
        return nullptr;
    static sqlite3_vfs vfs = {
        2,
        int(kRealOffset) + under->szOsFile,
        under->mxPathname,
        nullptr,
        kName,
        under,
        vfsOpen,
        vfsDelete,
        vfsAccess,
        vfsFullPathname,
        vfsDlOpen,
        vfsDlError,
        vfsDlSym,
        vfsDlClose,
        vfsRandomness,
        vfsSleep,
        vfsCurrentTime,
        vfsGetLastError,
        vfsCurrentTimeInt64,
        nullptr,
        nullptr,
        nullptr,
    };
    return sqlite3_vfs_register(&vfs, 0) == SQLITE_OK ? &vfs : nullptr;
}

} // namespace

bool pageFailed(sqlite3 *db)
{
    int failed = 0;
    return sqlite3_file_control(db, "main", kFailedOp, &failed) == SQLITE_OK && failed != 0;
}

const char *name()
{
    // Registered once, thread-safely; without it SQLite's default is used.
    static const sqlite3_vfs *vfs = registered();
    return vfs ? kName : nullptr;
}

} // namespace CheckedVFS
