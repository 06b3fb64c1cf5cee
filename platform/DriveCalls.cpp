#include <sys/statvfs.h>

#include <cerrno>

#include "platform/Crt.h"
#include "platform/CurrentDrive.h"

namespace platform {

int _getdrive() {
    return CurrentDrive::instance().drive();
}

int _chdrive(int drive) {
    return CurrentDrive::instance().change(drive);
}

int _chdir(const std::string& name) {
    return CurrentDrive::instance().enter(name);
}

int _getdiskfree(int drive, _diskfree_t& figures) {
    CurrentDrive& current = CurrentDrive::instance();
    FileDescriptor folder = current.folderOf(drive == 0 ? current.drive() : drive);
    struct statvfs volume;
    if (!folder.valid() || ::fstatvfs(folder.get(), &volume) != 0) {
        return errno;
    }
    // One "sector" per cluster of the file system's fragment size keeps the product exact.
    figures.total_clusters = volume.f_blocks;
    figures.avail_clusters = volume.f_bavail;
    figures.sectors_per_cluster = 1;
    figures.bytes_per_sector = volume.f_frsize;
    return 0;
}

} // namespace platform
