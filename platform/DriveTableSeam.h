#pragma once

#include <map>
#include <string>

namespace platform {

// For tests: temporary folders stand in for the system's volumes, keyed by drive number. A
// folder removed is a medium taken out. Both calls forget the current drive and each drive's
// folder; the working directory stays where it is.
void UseTestDrives(const std::map<int, std::string>& rootsByDriveNumber);
void UseSystemDrives();

} // namespace platform
