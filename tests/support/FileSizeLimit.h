#pragma once

#include <csignal>
#include <sys/resource.h>

// While it lives, every write past limit bytes fails, as on a full disk, whoever
// the process runs as (a read-only folder does not stop root).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit low = m_old;
        low.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &low);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_old{};
};
