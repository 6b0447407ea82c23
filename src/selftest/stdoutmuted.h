#pragma once

// While it lives, whatever the process writes to standard output goes to
// the null device; the output comes back (flushed first) when it goes.
class StdoutMuted final
{
public:
    StdoutMuted();
    ~StdoutMuted();
    StdoutMuted(const StdoutMuted &) = delete;
    StdoutMuted &operator=(const StdoutMuted &) = delete;

private:
    int m_saved = -1;
};
