#include "platform/DriveTableSeam.h"

#include "platform/CurrentDrive.h"
#include "platform/DriveTable.h"

namespace platform {

void UseTestDrives(const std::map<int, std::string>& rootsByDriveNumber) {
    DriveTable::instance().useRoots(rootsByDriveNumber);
    CurrentDrive::instance().reset();
}

void UseSystemDrives() {
    DriveTable::instance().useSystemVolumes();
    CurrentDrive::instance().reset();
}

} // namespace platform
