#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/DriveNumbering.h"

namespace vorn_test {

namespace {

using Drives = std::map<int, std::string>;

TEST(DriveNumberingTest, RootIsCAndOthersFollowFromD) {
    platform::DriveNumbering numbering;
    EXPECT_EQ(numbering.Update({"/", "/a", "/b"}), (Drives{{3, "/"}, {4, "/a"}, {5, "/b"}}));
}

TEST(DriveNumberingTest, NumberStaysWithItsPathForLife) {
    platform::DriveNumbering numbering;
    numbering.Update({"/", "/a", "/b"});
    EXPECT_EQ(numbering.Update({"/", "/b"}), (Drives{{3, "/"}, {5, "/b"}}));
    EXPECT_EQ(numbering.Update({"/", "/a", "/b"}), (Drives{{3, "/"}, {4, "/a"}, {5, "/b"}}));
}

TEST(DriveNumberingTest, LaterVolumeTakesLowestNumberNeverGiven) {
    platform::DriveNumbering numbering;
    numbering.Update({"/", "/b", "/d"});
    numbering.Update({"/", "/d"});
    // "/b" keeps 4 while it is away, so "/a" gets 6 although it sorts first.
    EXPECT_EQ(numbering.Update({"/", "/a", "/d"}), (Drives{{3, "/"}, {5, "/d"}, {6, "/a"}}));
}

TEST(DriveNumberingTest, NoNumberBeyondZ) {
    platform::DriveNumbering numbering;
    std::vector<std::string> paths{"/"};
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        paths.push_back(std::string("/") + letter);
    }
    Drives drives = numbering.Update(paths);
    EXPECT_EQ(drives.size(), 24u);
    EXPECT_EQ(drives.begin()->first, 3);
    EXPECT_EQ(drives.rbegin()->first, 26);
    EXPECT_EQ(drives.rbegin()->second, "/w");
}

} // namespace

} // namespace vorn_test
