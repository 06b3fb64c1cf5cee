#pragma once

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <mutex>
#include <vector>

#include "support/TempTree.h"

namespace testsupport {

// Another part of the process that takes every descriptor but `spare` at the first call of Take,
// on any thread, and gives them back on Release or when it goes. The limit is lowered meanwhile,
// so that taking them all is quick.
class DescriptorHog {
public:
    explicit DescriptorHog(int spare) : m_spare(spare) { ::getrlimit(RLIMIT_NOFILE, &m_previous); }
    ~DescriptorHog() { Release(); }

    void Take() {
        std::call_once(m_taken, [this] {
            const rlimit lowered{rlim_t(OpenDescriptorCount() + 64), m_previous.rlim_max};
            ::setrlimit(RLIMIT_NOFILE, &lowered);
            for (int fd; (fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;) {
                m_fds.push_back(fd);
            }
            for (int i = 0; i < m_spare; ++i, m_fds.pop_back()) {
                ::close(m_fds.back());
            }
        });
    }
    void Release() {
        for (int fd : m_fds) {
            ::close(fd);
        }
        m_fds.clear();
        ::setrlimit(RLIMIT_NOFILE, &m_previous);
    }

private:
    int m_spare;
    rlimit m_previous{};
    std::once_flag m_taken;
    std::vector<int> m_fds;
};

} // namespace testsupport
