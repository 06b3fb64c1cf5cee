#include "platform/Drives.h"

#include <sys/statvfs.h>

#include <cerrno>

#include "platform/SystemVolumes.h"

namespace platform {

Drives::Drives()
    : m_systemVolumes(std::make_unique<SystemVolumes>()), m_table(*m_systemVolumes),
      m_current(m_table) {}

Drives::Drives(DriveRoots& roots) : m_table(roots), m_current(m_table) {}

int Drives::_getdrive() {
    return m_current.Drive();
}

int Drives::_chdrive(int drive) {
    return m_current.Change(drive);
}

int Drives::_chdir(const std::string& name) {
    return m_current.Enter(name);
}

int Drives::_getdiskfree(int drive, _diskfree_t& figures) {
    FileDescriptor folder = m_current.FolderOf(drive == 0 ? m_current.Drive() : drive);
    struct statvfs volume;
    if (!folder.Valid() || ::fstatvfs(folder.Get(), &volume) != 0) {
        return errno;
    }
    // One "sector" per cluster of the file system's fragment size keeps the product exact.
    figures.total_clusters = volume.f_blocks;
    figures.avail_clusters = volume.f_bavail;
    figures.sectors_per_cluster = 1;
    figures.bytes_per_sector = volume.f_frsize;
    return 0;
}

bool Drives::FindRoute(const std::string& path, FolderRoute& route) {
    return FindFolderRoute(m_table, path, route);
}

} // namespace platform
