#include "support/TempTree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace testsupport {

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
    std::string path = m_root;
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t slash = relative.find('/', start);
        std::size_t end = slash == std::string::npos ? relative.size() : slash;
        path += "/" + relative.substr(start, end - start);
        Check(::mkdir(path.c_str(), 0755) == 0 || errno == EEXIST, "mkdir " + path);
        start = end + 1;
    }
}

void TempTree::File(const std::string& relative, std::uint64_t size) const {
    std::size_t slash = relative.rfind('/');
    if (slash != std::string::npos) {
        Folder(relative.substr(0, slash));
    }
    int fd = ::open(Path(relative).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    Check(fd >= 0, "create " + relative);
    if (size <= (1u << 20)) {
        std::vector<char> bytes(size, 'v');
        Check(::write(fd, bytes.data(), size) == ssize_t(size), "write " + relative);
    } else {
        Check(::ftruncate(fd, off_t(size)) == 0, "truncate " + relative);
    }
    ::close(fd);
}

void TempTree::Link(const std::string& relative, const std::string& target) const {
    Check(::symlink(target.c_str(), Path(relative).c_str()) == 0, "symlink " + relative);
}

int OpenDescriptorCount() {
    int count = 0;
    DIR* dir = ::opendir("/proc/self/fd");
    while (dirent* entry = ::readdir(dir)) {
        count += entry->d_name[0] != '.';
    }
    ::closedir(dir);
    return count - 1; // the listing's own descriptor
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
