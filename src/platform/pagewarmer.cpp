#include "pagewarmer.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <future>
#include <system_error>
#include <malloc.h>
#include <sys/mman.h>
#include <thread>
#include <unistd.h>
#include <utility>

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif

namespace PageWarmer {

namespace {

// A little more than a window start allocates on the main heap before its
// first frame (about 3 MB), and less than a window's backing store, which
// would otherwise be carved from the reserve instead of being mapped.
constexpr std::size_t heapReserve = 4u << 20;
// Each call holds the address-space lock for reading; small pieces keep the
// main thread's own mmap and munmap calls from waiting long behind it.
constexpr std::uintptr_t piece = 1u << 20;

std::uintptr_t pageSize()
{
    static const std::uintptr_t size = std::uintptr_t(sysconf(_SC_PAGESIZE));
    return size;
}

std::shared_future<void> &done()
{
    static std::shared_future<void> f;
    return f;
}

// Grows the main heap now by the reserve, which the heap keeps from then on
// when it trims: returns the part not yet touched. Must run on the main
// thread (other threads allocate from arenas of their own).
Range reserveHeap()
{
    if (mallopt(M_TOP_PAD, int(heapReserve)) != 1)
        return {};
    const auto brk = [] { return std::uintptr_t(sbrk(0)); };
    const std::uintptr_t before = brk();
    // Pieces under the mmap threshold come from the heap's top until it
    // runs out and grows by the request plus the reserve.
    std::array<void *, 8> taken{};
    std::uintptr_t first = 0;
    for (void *&p : taken) {
        p = std::malloc(64 * 1024);
        if (p && !first)
            first = std::uintptr_t(p);
        if (brk() != before)
            break;
    }
    for (void *p : taken)
        std::free(p);
    const std::uintptr_t after = brk();
    if (after == before || first == 0 || first >= after)
        return {};
    return {first & ~(pageSize() - 1), after};
}

bool populate(const Range &r, int advice)
{
    if (madvise(reinterpret_cast<void *>(r.begin), r.end - r.begin, advice) == 0)
        return true;
    return errno != EINVAL; // EINVAL: this kernel cannot populate
}

void warm(Range heap)
{
    // Low addresses first: the main thread's allocations take the reserve
    // from its bottom.
    for (const Range &r : chunked({heap}, piece)) {
        if (!populate(r, MADV_POPULATE_WRITE))
            break;
    }
}

} // namespace

void start()
{
    static bool started = false;
    if (std::exchange(started, true))
        return;
    const Range heap = reserveHeap();
    if (heap.end <= heap.begin)
        return;
    auto finished = std::make_shared<std::promise<void>>();
    try {
        std::thread([heap, finished] {
            warm(heap);
            finished->set_value();
        }).detach();
        done() = finished->get_future().share();
    } catch (const std::system_error &) {
        // No thread: the reserve fills as it is used.
    }
}

void wait()
{
    if (done().valid())
        done().wait();
}

QList<Range> chunked(const QList<Range> &ranges, std::uintptr_t chunk)
{
    QList<Range> pieces;
    if (chunk == 0)
        return pieces;
    for (const Range &r : ranges) {
        for (std::uintptr_t b = r.begin, e = 0; b < r.end; b = e) {
            e = r.end - b > chunk ? b + chunk : r.end;
            pieces.append({b, e});
        }
    }
    return pieces;
}

} // namespace PageWarmer
