#include "platform/DirectoryReader.h"

#include <dirent.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

namespace {

// Large enough that a folder of a few hundred entries takes one system call.
constexpr std::size_t kBufferSize = 32 * 1024;

} // namespace

DirectoryReader::DirectoryReader(int dirFd) : m_fd(dirFd), m_buffer(new char[kBufferSize]) {}

DirectoryReader::~DirectoryReader() = default;

bool DirectoryReader::Refill() {
    for (;;) {
        long got = ::syscall(SYS_getdents64, m_fd, m_buffer.get(), kBufferSize);
        if (got > 0) {
            m_filled = static_cast<std::size_t>(got);
            m_offset = 0;
            return true;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        m_error = got < 0 ? errno : 0;
        m_atEnd = true;
        return false;
    }
}

bool DirectoryReader::Next(DirectoryEntry& entry) {
    if (m_atEnd) {
        return false;
    }
    if (m_offset >= m_filled && !Refill()) {
        return false;
    }
    auto* raw = reinterpret_cast<const dirent64*>(m_buffer.get() + m_offset);
    m_offset += raw->d_reclen;
    entry.name = std::string_view(raw->d_name, std::strlen(raw->d_name));
    entry.type = raw->d_type;
    return true;
}

} // namespace platform
