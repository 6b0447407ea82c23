#include "stdoutmuted.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

StdoutMuted::StdoutMuted()
{
    std::fflush(stdout);
    m_saved = ::dup(STDOUT_FILENO);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (m_saved < 0 || null < 0) {
        if (null >= 0)
            ::close(null);
        return;
    }
    ::dup2(null, STDOUT_FILENO);
    ::close(null);
}

StdoutMuted::~StdoutMuted()
{
    std::fflush(stdout);
    if (m_saved < 0)
        return;
    ::dup2(m_saved, STDOUT_FILENO);
    ::close(m_saved);
}
