#include <unistd.h>

#include "PlatformTest.h"
#include "platform/Crt.h"

namespace vorn_test {

namespace {

// The machine's own volumes, read from its mount table.
using SystemDrives = PlatformTest;

TEST_F(SystemDrives, RootIsCAndPseudoFileSystemsAreFoldersOfItNotDrives) {
    ASSERT_EQ(::chdir("/proc/self"), 0);
    m_drives = std::make_unique<platform::Drives>();
    EXPECT_EQ(m_drives->_getdrive(), 3) << "a working directory on no drive belongs to C";
    for (int drive = 1; drive <= 26; ++drive) {
        if (m_drives->_chdrive(drive) == 0) {
            ASSERT_EQ(m_drives->_chdir("\\"), 0);
            EXPECT_GE(drive, 3);
            EXPECT_NE(IdOf("."), IdOf("/proc")) << drive;
            EXPECT_NE(IdOf("."), IdOf("/sys")) << drive;
        }
    }
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    ASSERT_EQ(m_drives->_chdir("\\"), 0);
    EXPECT_EQ(IdOf("."), IdOf("/"));
    ASSERT_EQ(m_drives->_chdir("proc"), 0);
    EXPECT_EQ(m_drives->_getdrive(), 3);
    platform::_diskfree_t figures;
    ASSERT_EQ(m_drives->_getdiskfree(3, figures), 0);
    EXPECT_EQ(figures.total_clusters, 0u) << "those of /proc, which has no blocks, not of /";
    ASSERT_EQ(m_drives->_chdir(".."), 0);
    EXPECT_EQ(IdOf("."), IdOf("/"));
}

} // namespace

} // namespace vorn_test
