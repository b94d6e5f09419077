#pragma once

#include <csignal>
#include <sys/resource.h>

// Makes every file write beyond maxBytes fail, as on a full disk, for as long
// as it lives. Works where a read-only folder does not (tests run as root).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t maxBytes)
    {
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limit = m_previous;
        limit.rlim_cur = maxBytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_previous {};
    void (*m_previousHandler)(int) = nullptr;
};
