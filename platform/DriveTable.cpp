#include "platform/DriveTable.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <vector>

#include "platform/FolderAncestry.h"
#include "platform/VolumeMounts.h"

namespace platform {

namespace {

// A file mounted over a file (as containers do for configuration files) is no drive.
std::vector<std::string> FolderMounts() {
    std::vector<std::string> paths = ReadVolumeMounts();
    std::erase_if(paths, [](const std::string& path) {
        struct stat st;
        return ::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode);
    });
    return paths;
}

FileDescriptor OpenRoot(const std::string& path) {
    return FileDescriptor(::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
}

} // namespace

DriveTable& DriveTable::instance() {
    static DriveTable table;
    return table;
}

const std::map<int, std::string>& DriveTable::roots() {
    if (!m_fixedRoots) {
        m_roots = m_numbering.update(FolderMounts());
    }
    return m_roots;
}

FileDescriptor DriveTable::openRoot(int drive) {
    const auto& all = roots();
    auto root = all.find(drive);
    if (root == all.end()) {
        errno = ENOENT;
        return {};
    }
    return OpenRoot(root->second);
}

int DriveTable::driveHolding(int fd) {
    const std::vector<FolderId> chain = AncestorsOf(fd);
    int holder = 0;
    auto nearest = std::numeric_limits<std::ptrdiff_t>::max();
    for (const auto& [drive, path] : roots()) {
        FileDescriptor root = OpenRoot(path);
        FolderId id;
        if (!root.valid() || !IdentifyFolder(root.get(), id)) {
            continue;
        }
        auto distance = std::find(chain.begin(), chain.end(), id) - chain.begin();
        if (distance < static_cast<std::ptrdiff_t>(chain.size()) && distance < nearest) {
            nearest = distance;
            holder = drive;
        }
    }
    return holder;
}

void DriveTable::useRoots(const std::map<int, std::string>& rootsByDrive) {
    m_fixedRoots = true;
    m_roots = rootsByDrive;
}

void DriveTable::useSystemVolumes() {
    m_fixedRoots = false;
    m_roots.clear();
}

} // namespace platform
