#pragma once

#include <map>
#include <string>
#include <vector>

namespace platform {

// Gives each volume's mount path a drive number that it keeps for the life of the process, so
// a drive letter seen once never moves to another volume.
class DriveNumbering {
public:
    static constexpr int kRootDrive = 3; // "/" is "[C:]"
    static constexpr int kFirstDrive = 4;
    static constexpr int kLastDrive = 26;

    // Numbers the paths not seen before, in the order given, each with the lowest number still
    // free; paths beyond "[Z:]" stay without one. Returns the numbered paths among mountPaths.
    std::map<int, std::string> Update(const std::vector<std::string>& mountPaths);

private:
    int LowestFree() const;

    std::map<std::string, int> m_numbers;
};

} // namespace platform
