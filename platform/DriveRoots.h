#pragma once

#include <map>
#include <string>

namespace platform {

// Which folder is the root of each drive number (1 to 26, "[A:]" to "[Z:]"). Asked afresh at
// each question, so that media come and go.
class DriveRoots {
public:
    virtual ~DriveRoots() = default;
    virtual std::map<int, std::string> Roots() = 0;
};

} // namespace platform
