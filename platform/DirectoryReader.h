#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace platform {

// One raw directory entry; the name is the exact bytes the file system stores.
struct DirectoryEntry {
    std::string_view name; // valid until the next call of DirectoryReader::next
    unsigned char type;    // DT_* from the directory itself; DT_UNKNOWN when it does not say
};

// Reads the entries of an open directory in the order the file system returns them,
// many at a time: one system call per buffer, not per entry.
class DirectoryReader {
public:
    // Does not take ownership of dirFd; reads from its current offset.
    explicit DirectoryReader(int dirFd);
    ~DirectoryReader();
    DirectoryReader(const DirectoryReader&) = delete;
    DirectoryReader& operator=(const DirectoryReader&) = delete;

    // False at the end of the directory or on a read error (then error() is the errno).
    bool Next(DirectoryEntry& entry);
    int Error() const { return m_error; }

private:
    bool Refill();

    int m_fd;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_filled = 0;
    std::size_t m_offset = 0;
    int m_error = 0;
    bool m_atEnd = false;
};

} // namespace platform
