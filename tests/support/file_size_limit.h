#pragma once
// While it lives, the files this process writes may grow to a given size
// only: a write beyond it fails as on a full disk, and the signal that would
// end the process is ignored. The old limit and handler come back after.

#include <csignal>

#include <sys/resource.h>

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        if (getrlimit(RLIMIT_FSIZE, &m_saved) != 0)
            return;
        m_previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_saved;
        small.rlim_cur = bytes;
        m_set = setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit() {
        if (m_set)
            setrlimit(RLIMIT_FSIZE, &m_saved);
        if (m_previous != SIG_ERR)
            std::signal(SIGXFSZ, m_previous);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    // Whether the limit holds; the system may refuse it.
    bool IsSet() const { return m_set; }

private:
    rlimit m_saved{};
    void (*m_previous)(int) = SIG_ERR;
    bool m_set = false;
};
