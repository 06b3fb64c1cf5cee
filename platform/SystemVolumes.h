#pragma once

#include "platform/DriveNumbering.h"
#include "platform/DriveRoots.h"

namespace platform {

// The system's volumes as drives: "/" is drive 3, and every other mounted real file system with
// a folder at its mount path gets a number from 4 upwards, which it keeps while the process runs.
class SystemVolumes : public DriveRoots {
public:
    std::map<int, std::string> Roots() override;

private:
    DriveNumbering m_numbering;
};

} // namespace platform
