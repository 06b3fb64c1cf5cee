#pragma once

#include <map>
#include <string>

#include "platform/DriveRoots.h"

namespace testsupport {

// Folders of a test standing for drives, by number; a folder removed is a medium taken out.
class FixedRoots : public platform::DriveRoots {
public:
    std::map<int, std::string> Roots() override { return roots; }

    std::map<int, std::string> roots;
};

} // namespace testsupport
