#include <sys/statvfs.h>
#include <unistd.h>

#include "FolderProbe.h"
#include "PlatformTest.h"
#include "platform/Crt.h"

namespace vorn_test {

namespace {

// The machine's own volumes, read from its mount table.
class SystemDrivesTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        UseSystemDrives();
    }
};

TEST_F(SystemDrivesTest, RootIsDriveC) {
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    ASSERT_EQ(m_drives->_chdir("\\"), 0);
    EXPECT_EQ(IdOfHere(), IdOf("/"));
}

TEST_F(SystemDrivesTest, PseudoFileSystemsAreNoDrives) {
    EXPECT_EQ(m_drives->_chdrive(1), -1);
    EXPECT_EQ(m_drives->_chdrive(2), -1);
    for (int drive = 3; drive <= 26; ++drive) {
        if (m_drives->_chdrive(drive) == 0) {
            ASSERT_EQ(m_drives->_chdir("\\"), 0);
            EXPECT_NE(IdOfHere(), IdOf("/proc")) << drive;
            EXPECT_NE(IdOfHere(), IdOf("/sys")) << drive;
        }
    }
}

TEST_F(SystemDrivesTest, WorkingDirectoryOnNoDriveBelongsToC) {
    ASSERT_EQ(::chdir("/proc/self"), 0);
    UseSystemDrives();
    EXPECT_EQ(m_drives->_getdrive(), 3);
}

TEST_F(SystemDrivesTest, MountPointEnteredByNameShowsItsOwnVolume) {
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    ASSERT_EQ(m_drives->_chdir("\\"), 0);
    ASSERT_EQ(m_drives->_chdir("proc"), 0);
    EXPECT_EQ(m_drives->_getdrive(), 3);
    struct statvfs proc;
    ASSERT_EQ(::statvfs("/proc", &proc), 0);
    platform::_diskfree_t figures;
    ASSERT_EQ(m_drives->_getdiskfree(3, figures), 0);
    EXPECT_EQ(figures.total_clusters, proc.f_blocks);
    ASSERT_EQ(m_drives->_chdir(".."), 0);
    EXPECT_EQ(IdOfHere(), IdOf("/"));
}

} // namespace

} // namespace vorn_test
