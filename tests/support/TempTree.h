#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "platform/FileDescriptor.h"

namespace testsupport {

// A temporary folder that tests fill with files, folders and links, removed with everything
// in it (however deep) when the test ends.
class TempTree {
public:
    TempTree() {
        char pattern[] = "/tmp/vorn-test-XXXXXX";
        if (::mkdtemp(pattern) == nullptr) {
            throw std::runtime_error("mkdtemp");
        }
        m_root = pattern;
    }
    // rm walks by descriptors, so chains deeper than PATH_MAX go too.
    ~TempTree() { [[maybe_unused]] int ignored = std::system(("rm -rf '" + m_root + "'").c_str()); }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& Root() const { return m_root; }
    std::string Path(const std::string& relative) const { return m_root + "/" + relative; }

    // Relative paths; parent folders are made as needed.
    void Folder(const std::string& relative) const {
        std::filesystem::create_directories(Path(relative));
    }
    // Sparse beyond 1 MiB.
    void File(const std::string& relative, std::uint64_t size) const {
        Folder(std::filesystem::path(relative).parent_path());
        std::ofstream(Path(relative), std::ios::binary)
            << std::string(std::min<std::uint64_t>(size, 1u << 20), 'v');
        std::filesystem::resize_file(Path(relative), size);
    }
    void Link(const std::string& relative, const std::string& target) const {
        std::filesystem::create_symlink(target, Path(relative));
    }
    // Whether there is an entry of that name, a dangling link included.
    bool Exists(const std::string& relative) const {
        return std::filesystem::exists(std::filesystem::symlink_status(Path(relative)));
    }

private:
    std::string m_root;
};

// Number of descriptors this process has open, less the listing's own.
inline int OpenDescriptorCount() {
    return int(std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {})) - 1;
}

// Makes a chain of `depth` folders named `name` below `folder` without ever building the
// path, so it can go far past PATH_MAX; a file of `leafSize` bytes lies at the bottom.
inline void MakeDeepChain(const std::string& folder, const std::string& name, int depth,
                          std::uint64_t leafSize) {
    platform::FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY));
    for (int i = 0; i < depth; ++i) {
        ::mkdirat(fd.Get(), name.c_str(), 0755);
        fd = platform::FileDescriptor(::openat(fd.Get(), name.c_str(), O_RDONLY | O_DIRECTORY));
    }
    // Any step that failed leaves no folder to put the leaf in.
    const platform::FileDescriptor leaf(::openat(fd.Get(), "leaf", O_WRONLY | O_CREAT, 0644));
    if (::ftruncate(leaf.Get(), off_t(leafSize)) != 0) {
        throw std::runtime_error("deep chain below " + folder);
    }
}

// The working directory, for checking that an operation left it where it was.
inline std::string WorkingDirectory() {
    std::string buffer(1 << 16, '\0');
    return ::getcwd(buffer.data(), buffer.size()) ? buffer.c_str() : "";
}

} // namespace testsupport
