// SPDX-License-Identifier: GPL-3.0-or-later
// A full disk as a test can make one without a disk of its own.
#pragma once

#include <csignal>
#include <sys/resource.h>

namespace nv {

// Files may grow to `bytes` only while it lives: a full disk, as seen by a
// writer (EFBIG instead of ENOSPC), and it works for root too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limited = m_previous;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    struct rlimit m_previous {};
    void (*m_previousHandler)(int) = nullptr;
};

}  // namespace nv
