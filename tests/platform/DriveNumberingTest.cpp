#include "platform/DriveNumbering.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace vorn_test {

namespace {

using Drives = std::map<int, std::string>;

TEST(DriveNumbering, RootIsCAndEachOtherPathKeepsTheLowestNumberNeverGivenForLife) {
    platform::DriveNumbering numbering;
    const struct {
        std::vector<std::string> paths;
        Drives drives;
    } updates[] = {
        {{"/", "/a", "/b"}, {{3, "/"}, {4, "/a"}, {5, "/b"}}},
        // "/a" keeps 4 while it is away, so "/0" gets 6 although it sorts first.
        {{"/", "/0", "/b"}, {{3, "/"}, {5, "/b"}, {6, "/0"}}},
        {{"/", "/0", "/a", "/b"}, {{3, "/"}, {4, "/a"}, {5, "/b"}, {6, "/0"}}},
    };
    for (const auto& update : updates) {
        EXPECT_EQ(numbering.Update(update.paths), update.drives);
    }
    std::vector<std::string> paths{"/", "/0", "/a", "/b"};
    for (char letter = 'c'; letter <= 'z'; ++letter) {
        paths.push_back(std::string("/") + letter);
    }
    const Drives drives = numbering.Update(paths);
    EXPECT_EQ(drives.size(), 24u) << "none beyond Z";
    EXPECT_EQ(*drives.rbegin(), (std::pair<const int, std::string>{26, "/v"}));
}

} // namespace

} // namespace vorn_test
