#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>

#include "FolderProbe.h"
#include "PlatformTest.h"
#include "platform/Crt.h"

namespace vorn_test {

namespace {

// Drive C and D are temporary folders; the working directory starts in neither.
class CurrentDriveTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        c = m_temp.Root() + "/c";
        d = m_temp.Root() + "/d";
        ASSERT_EQ(::mkdir(c.c_str(), 0755), 0);
        ASSERT_EQ(::mkdir(d.c_str(), 0755), 0);
        ASSERT_EQ(::mkdir((c + "/a").c_str(), 0755), 0);
        ASSERT_EQ(::mkdir((c + "/a/b").c_str(), 0755), 0);
        UseDrives({{3, c}, {4, d}});
    }

    std::string c;
    std::string d;
};

TEST_F(CurrentDriveTest, StartsOnTheDriveHoldingTheWorkingDirectory) {
    EXPECT_EQ(m_drives->_getdrive(), 0);
    ASSERT_EQ(::chdir((c + "/a/b").c_str()), 0);
    UseDrives({{3, c}, {4, d}, {5, c + "/a"}});
    EXPECT_EQ(m_drives->_getdrive(), 5);
}

TEST_F(CurrentDriveTest, EachDriveKeepsItsOwnFolder) {
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    EXPECT_EQ(IdOfHere(), IdOf(c));
    ASSERT_EQ(m_drives->_chdir("a/b"), 0);
    ASSERT_EQ(m_drives->_chdrive(4), 0);
    EXPECT_EQ(m_drives->_getdrive(), 4);
    EXPECT_EQ(IdOfHere(), IdOf(d));
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    EXPECT_EQ(IdOfHere(), IdOf(c + "/a/b"));
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    EXPECT_EQ(IdOfHere(), IdOf(c + "/a/b"));
}

// The folders open in this process that lie in `root`.
int DescriptorsInto(const std::string& root) {
    int count = 0;
    for (int fd = 0; fd < 1024; ++fd) {
        char target[PATH_MAX];
        const std::string link = "/proc/self/fd/" + std::to_string(fd);
        const ssize_t length = ::readlink(link.c_str(), target, sizeof target - 1);
        if (length > 0 && std::string(target, std::size_t(length)).starts_with(root)) {
            ++count;
        }
    }
    return count;
}

TEST_F(CurrentDriveTest, ALeftDriveIsHeldByNothingSoItCanBeUnmounted) {
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    ASSERT_EQ(m_drives->_chdir("a/b"), 0);
    ASSERT_EQ(m_drives->_chdrive(4), 0);
    EXPECT_EQ(DescriptorsInto(c), 0);
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    EXPECT_EQ(IdOfHere(), IdOf(c + "/a/b"));
}

TEST_F(CurrentDriveTest, AFolderPutInTheLeftOnesPlaceIsNotEntered) {
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    ASSERT_EQ(m_drives->_chdir("a/b"), 0);
    ASSERT_EQ(m_drives->_chdrive(4), 0);
    ASSERT_EQ(::rename((c + "/a").c_str(), (c + "/old").c_str()), 0);
    ASSERT_EQ(::mkdir((c + "/a").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((c + "/a/b").c_str(), 0755), 0);
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    EXPECT_EQ(IdOfHere(), IdOf(c));
}

TEST_F(CurrentDriveTest, RemovedFolderSendsTheDriveToItsRoot) {
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    ASSERT_EQ(m_drives->_chdir("a/b"), 0);
    ASSERT_EQ(m_drives->_chdrive(4), 0);
    ASSERT_EQ(::rmdir((c + "/a/b").c_str()), 0);
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    EXPECT_EQ(IdOfHere(), IdOf(c));
}

TEST_F(CurrentDriveTest, RemovedWorkingDirectorySendsTheSameDriveToItsRoot) {
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    ASSERT_EQ(m_drives->_chdir("a/b"), 0);
    ASSERT_EQ(::rmdir((c + "/a/b").c_str()), 0);
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    EXPECT_EQ(IdOfHere(), IdOf(c));
}

TEST_F(CurrentDriveTest, FailedDriveChangesNothing) {
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    ASSERT_EQ(m_drives->_chdir("a"), 0);
    ASSERT_EQ(::rmdir(d.c_str()), 0); // medium taken out
    for (int drive : {4, 1, 7, 27}) {
        EXPECT_EQ(m_drives->_chdrive(drive), -1) << drive;
        EXPECT_EQ(m_drives->_getdrive(), 3);
        EXPECT_EQ(IdOfHere(), IdOf(c + "/a"));
    }
}

TEST_F(CurrentDriveTest, BackslashGoesToTheCurrentDrivesRoot) {
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    ASSERT_EQ(m_drives->_chdir("a/b"), 0);
    ASSERT_EQ(m_drives->_chdir("\\"), 0);
    EXPECT_EQ(IdOfHere(), IdOf(c));
}

TEST_F(CurrentDriveTest, UpStopsAtTheDrivesRoot) {
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    ASSERT_EQ(m_drives->_chdir("a/b"), 0);
    ASSERT_EQ(m_drives->_chdir(".."), 0);
    EXPECT_EQ(IdOfHere(), IdOf(c + "/a"));
    ASSERT_EQ(m_drives->_chdir("../.."), 0);
    EXPECT_EQ(IdOfHere(), IdOf(c));
    EXPECT_EQ(m_drives->_chdir(".."), 0);
    EXPECT_EQ(IdOfHere(), IdOf(c));
}

TEST_F(CurrentDriveTest, LinksAndFilesAreNeverEntered) {
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    ASSERT_EQ(::symlink("a", "link"), 0);
    m_temp.File("c/file", 0);
    for (const char* name : {"link", "a/../link", "link/b", "file"}) {
        errno = 0;
        EXPECT_EQ(m_drives->_chdir(name), -1) << name;
        EXPECT_EQ(errno, ENOTDIR) << name;
        EXPECT_EQ(IdOfHere(), IdOf(c));
    }
    errno = 0;
    EXPECT_EQ(m_drives->_chdir("a/missing"), -1);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(IdOfHere(), IdOf(c));
}

TEST_F(CurrentDriveTest, FoldersOfAnyNameAreEntered) {
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    for (const std::string name : {"\xff\nodd", "\\"}) {
        ASSERT_EQ(::mkdir(name.c_str(), 0755), 0);
        ASSERT_EQ(m_drives->_chdir("./" + name), 0);
        EXPECT_EQ(IdOfHere(), IdOf(c + "/" + name));
        ASSERT_EQ(m_drives->_chdir(".."), 0);
    }
}

TEST_F(CurrentDriveTest, DeepChainBeyondPathMaxAndBack) {
    ASSERT_EQ(m_drives->_chdrive(4), 0); // drive D's folder is remembered from here on
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    const std::string name(40, 'n');
    const int before = testsupport::OpenDescriptorCount();
    for (int depth = 0; depth < 300; ++depth) {
        ASSERT_EQ(::mkdir(name.c_str(), 0755), 0);
        ASSERT_EQ(m_drives->_chdir(name), 0) << depth;
    }
    char path[PATH_MAX];
    EXPECT_EQ(::getcwd(path, sizeof path), nullptr); // no path could name this folder
    EXPECT_EQ(testsupport::OpenDescriptorCount(), before);
    ASSERT_EQ(m_drives->_chdrive(4), 0);
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    for (int depth = 0; depth < 300; ++depth) {
        ASSERT_EQ(m_drives->_chdir(".."), 0) << depth;
    }
    EXPECT_EQ(IdOfHere(), IdOf(c));
    EXPECT_EQ(testsupport::OpenDescriptorCount(), before);
}

TEST_F(CurrentDriveTest, DiskFiguresAreThoseOfTheCurrentFolder) {
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    ASSERT_EQ(m_drives->_chdir("a"), 0);
    struct statvfs volume;
    ASSERT_EQ(::statvfs(".", &volume), 0);
    platform::_diskfree_t figures;
    ASSERT_EQ(m_drives->_getdiskfree(m_drives->_getdrive(), figures), 0);
    EXPECT_EQ(figures.total_clusters, volume.f_blocks);
    EXPECT_EQ(figures.avail_clusters, volume.f_bavail);
    EXPECT_EQ(figures.sectors_per_cluster * figures.bytes_per_sector, volume.f_frsize);
    EXPECT_EQ(m_drives->_getdiskfree(9, figures), ENOENT);
}

} // namespace

} // namespace vorn_test
