#include "platform/DriveNumbering.h"

#include <set>

namespace platform {

int DriveNumbering::LowestFree() const {
    std::set<int> taken;
    for (const auto& [path, number] : m_numbers) {
        taken.insert(number);
    }
    for (int number = kFirstDrive; number <= kLastDrive; ++number) {
        if (!taken.contains(number)) {
            return number;
        }
    }
    return 0;
}

std::map<int, std::string> DriveNumbering::Update(const std::vector<std::string>& mountPaths) {
    std::map<int, std::string> present;
    for (const std::string& path : mountPaths) {
        auto known = m_numbers.find(path);
        int number = known != m_numbers.end() ? known->second
                     : path == "/"            ? kRootDrive
                                              : LowestFree();
        if (number == 0) {
            continue;
        }
        m_numbers.emplace(path, number);
        present.emplace(number, path);
    }
    return present;
}

} // namespace platform
