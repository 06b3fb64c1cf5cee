#include "support/TempTree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace testsupport {

namespace fs = std::filesystem;

namespace {

void Check(bool ok, const std::string& what) {
    if (!ok) {
        throw std::runtime_error(what);
    }
}

} // namespace

TempTree::TempTree() {
    char pattern[] = "/tmp/vorn-test-XXXXXX";
    Check(::mkdtemp(pattern) != nullptr, "mkdtemp");
    m_root = pattern;
}

TempTree::~TempTree() {
    // rm walks by descriptors, so chains deeper than PATH_MAX go too.
    std::string command = "rm -rf '" + m_root + "'";
    [[maybe_unused]] int ignored = std::system(command.c_str());
}

void TempTree::Folder(const std::string& relative) const {
    fs::create_directories(Path(relative));
}

void TempTree::File(const std::string& relative, std::uint64_t size) const {
    Folder(fs::path(relative).parent_path());
    std::ofstream(Path(relative), std::ios::binary)
        << std::string(std::min<std::uint64_t>(size, 1u << 20), 'v');
    fs::resize_file(Path(relative), size);
}

void TempTree::Link(const std::string& relative, const std::string& target) const {
    fs::create_symlink(target, Path(relative));
}

int OpenDescriptorCount() {
    // Less the listing's own descriptor.
    return int(std::distance(fs::directory_iterator("/proc/self/fd"), {})) - 1;
}

void MakeDeepChain(const std::string& folder, const std::string& name, int depth,
                   std::uint64_t leafSize) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    Check(fd >= 0, "open " + folder);
    for (int i = 0; i < depth; ++i) {
        Check(::mkdirat(fd, name.c_str(), 0755) == 0, "mkdirat");
        int child = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        Check(child >= 0, "openat");
        fd = child;
    }
    int leaf = ::openat(fd, "leaf", O_WRONLY | O_CREAT, 0644);
    Check(leaf >= 0 && ::ftruncate(leaf, off_t(leafSize)) == 0, "leaf");
    ::close(leaf);
    ::close(fd);
}

std::string WorkingDirectory() {
    std::vector<char> buffer(1 << 16);
    return ::getcwd(buffer.data(), buffer.size()) ? std::string(buffer.data()) : std::string();
}

} // namespace testsupport
