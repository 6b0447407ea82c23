#pragma once

#include <QList>
#include <cstdint>

// Start-up page warming: the main heap grows at once by a reserve, which a
// worker thread makes present page by page ahead of use, so the main thread
// takes fewer page faults while it builds its first window. Only page tables
// are filled: no memory is read or written, so it is safe beside the main
// thread's allocations. Where the kernel cannot populate (before Linux 5.14)
// the reserve is simply there when needed.
namespace PageWarmer {

struct Range
{
    std::uintptr_t begin = 0;
    std::uintptr_t end = 0;
    bool operator==(const Range &) const = default;
};

// Makes the reserve and starts the worker; later calls do nothing. Call it
// first thing in main, on the main thread.
void start();

// Waits until the worker has finished (for tests; the program never waits).
void wait();

// `ranges` cut into pieces of at most `chunk` bytes, in order.
QList<Range> chunked(const QList<Range> &ranges, std::uintptr_t chunk);

} // namespace PageWarmer
