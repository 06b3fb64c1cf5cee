#include <sys/statvfs.h>
#include <unistd.h>

#include "FolderProbe.h"
#include "PlatformTest.h"
#include "platform/Crt.h"
#include "platform/DriveTableSeam.h"

namespace vorn_test {

namespace {

// The machine's own volumes, read from its mount table.
class SystemDrivesTest : public PlatformTest {};

TEST_F(SystemDrivesTest, RootIsDriveC) {
    ASSERT_EQ(platform::_chdrive(3), 0);
    ASSERT_EQ(platform::_chdir("\\"), 0);
    EXPECT_EQ(IdOfHere(), IdOf("/"));
}

TEST_F(SystemDrivesTest, PseudoFileSystemsAreNoDrives) {
    EXPECT_EQ(platform::_chdrive(1), -1);
    EXPECT_EQ(platform::_chdrive(2), -1);
    for (int drive = 3; drive <= 26; ++drive) {
        if (platform::_chdrive(drive) == 0) {
            ASSERT_EQ(platform::_chdir("\\"), 0);
            EXPECT_NE(IdOfHere(), IdOf("/proc")) << drive;
            EXPECT_NE(IdOfHere(), IdOf("/sys")) << drive;
        }
    }
}

TEST_F(SystemDrivesTest, WorkingDirectoryOnNoDriveBelongsToC) {
    ASSERT_EQ(::chdir("/proc/self"), 0);
    platform::UseSystemDrives();
    EXPECT_EQ(platform::_getdrive(), 3);
}

TEST_F(SystemDrivesTest, MountPointEnteredByNameShowsItsOwnVolume) {
    ASSERT_EQ(platform::_chdrive(3), 0);
    ASSERT_EQ(platform::_chdir("\\"), 0);
    ASSERT_EQ(platform::_chdir("proc"), 0);
    EXPECT_EQ(platform::_getdrive(), 3);
    struct statvfs proc;
    ASSERT_EQ(::statvfs("/proc", &proc), 0);
    platform::_diskfree_t figures;
    ASSERT_EQ(platform::_getdiskfree(3, figures), 0);
    EXPECT_EQ(figures.total_clusters, proc.f_blocks);
    ASSERT_EQ(platform::_chdir(".."), 0);
    EXPECT_EQ(IdOfHere(), IdOf("/"));
}

} // namespace

} // namespace vorn_test
