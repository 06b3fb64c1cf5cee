#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cinttypes>
#include <climits>
#include <filesystem>
#include <functional>
#include <string>

#include "PlatformTest.h"
#include "platform/Crt.h"

namespace vorn_test {

namespace {

namespace fs = std::filesystem;

// Drives C and D are temporary folders; the working directory starts in neither.
class CurrentDrive : public PlatformTest {
protected:
    CurrentDrive() {
        m_temp.Folder("c/a/b");
        m_temp.Folder("d");
        UseDrives({{3, c}, {4, d}});
    }
    platform::FolderId IdOfHere() const { return IdOf("."); }

    std::string c = m_temp.Path("c");
    std::string d = m_temp.Path("d");
};

// The descriptors of this process open on `root` or anything in it.
int DescriptorsInto(const std::string& root) {
    int count = 0;
    for (const auto& fd : fs::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        count += (fs::read_symlink(fd.path(), error).string() + "/").starts_with(root + "/");
    }
    return count;
}

TEST_F(CurrentDrive, StartsOnTheNearestDriveHoldingTheWorkingDirectory) {
    EXPECT_EQ(m_drives->_getdrive(), 0);
    ASSERT_EQ(::chdir((c + "/a/b").c_str()), 0);
    UseDrives({{3, c}, {4, d}, {5, c + "/a"}});
    EXPECT_EQ(m_drives->_getdrive(), 5);
    UseDrives({{3, c + "/a"}, {4, d}, {5, c}});
    EXPECT_EQ(m_drives->_getdrive(), 3);
}

TEST_F(CurrentDrive, ADriveGoesBackToItsFolderOnlyWhileItIsStillThatFolderOnTheDrive) {
    const struct {
        const char* what;
        bool leave; // for drive D, which holds nothing of C open meanwhile
        std::function<void()> change;
        const char* back;
    } cases[] = {
        {"chosen again", false, [] {}, "c/a/b"},
        {"left and chosen again", true, [] {}, "c/a/b"},
        {"removed", true, [this] { fs::remove(c + "/a/b"); }, "c"},
        {"removed while current", false, [this] { fs::remove(c + "/a/b"); }, "c"},
        {"moved off the drive while current", false, [this] { fs::rename(c + "/a", d + "/a"); },
         "c"},
        {"replaced by a folder of the same name", true,
         [this] {
             fs::rename(c + "/a", m_temp.Path("old"));
             m_temp.Folder("c/a/b");
         },
         "c"},
    };
    for (const auto& step : cases) {
        for (const char* gone : {"c/a", "d/a", "old"}) {
            fs::remove_all(m_temp.Path(gone));
        }
        m_temp.Folder("c/a/b");
        ASSERT_EQ(m_drives->_chdrive(3), 0);
        ASSERT_EQ(m_drives->_chdir("\\"), 0);
        ASSERT_EQ(m_drives->_chdir("a/b"), 0);
        if (step.leave) {
            ASSERT_EQ(m_drives->_chdrive(4), 0);
            EXPECT_EQ(m_drives->_getdrive(), 4);
            EXPECT_EQ(IdOfHere(), IdOf(d));
            EXPECT_EQ(DescriptorsInto(c), 0) << "so that C could be unmounted";
        }
        step.change();
        ASSERT_EQ(m_drives->_chdrive(3), 0);
        EXPECT_EQ(IdOfHere(), IdOf(m_temp.Path(step.back))) << step.what;
    }
}

TEST_F(CurrentDrive, EntersRealFoldersOfAnyNameButNoLinkNorAboveTheRoot) {
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    m_temp.Link("c/link", "a");
    m_temp.File("c/file", 0);
    m_temp.Folder("c/\xff\nodd");
    m_temp.Folder("c/\\");
    const struct {
        const char* name;
        int error;
        const char* here; // in C
    } steps[] = {
        {"a/b", 0, "a/b"},
        {"\\", 0, ""},
        {"a/b", 0, "a/b"},
        {"..", 0, "a"},
        {"../..", 0, ""},
        {"..", 0, ""},
        {"link", ENOTDIR, ""},
        {"a/../link", ENOTDIR, ""},
        {"link/b", ENOTDIR, ""},
        {"file", ENOTDIR, ""},
        {"a/missing", ENOENT, ""},
        {"./\xff\nodd", 0, "\xff\nodd"},
        {"..", 0, ""},
        {"./\\", 0, "\\"},
    };
    for (const auto& step : steps) {
        errno = 0;
        EXPECT_EQ(m_drives->_chdir(step.name), step.error == 0 ? 0 : -1) << step.name;
        if (step.error != 0) {
            EXPECT_EQ(errno, step.error) << step.name;
        }
        EXPECT_EQ(IdOfHere(), IdOf(c + "/" + step.here)) << step.name;
    }
}

TEST_F(CurrentDrive, FailedDriveChangesNothing) {
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    ASSERT_EQ(m_drives->_chdir("a"), 0);
    fs::remove(d); // medium taken out
    for (int drive : {4, 1, 7, 27}) {
        EXPECT_EQ(m_drives->_chdrive(drive), -1) << drive;
        EXPECT_EQ(m_drives->_getdrive(), 3);
        EXPECT_EQ(IdOfHere(), IdOf(c + "/a"));
    }
}

TEST_F(CurrentDrive, DeepChainBeyondPathMaxAndBack) {
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

TEST_F(CurrentDrive, DiskFiguresAreThoseDfShowsForTheCurrentFolder) {
    ASSERT_EQ(m_drives->_chdrive(3), 0);
    ASSERT_EQ(m_drives->_chdir("a"), 0);
    std::uint64_t size = 0;
    std::uint64_t avail = 0;
    FILE* df = ::popen("df -B1 --output=size,avail . | tail -n 1", "r");
    ASSERT_NE(df, nullptr);
    EXPECT_EQ(::fscanf(df, "%" SCNu64 " %" SCNu64, &size, &avail), 2);
    ::pclose(df);
    platform::_diskfree_t figures;
    ASSERT_EQ(m_drives->_getdiskfree(0, figures), 0);
    const std::uint64_t cluster = figures.sectors_per_cluster * figures.bytes_per_sector;
    EXPECT_EQ(figures.total_clusters * cluster, size);
    // Others write meanwhile: the free space may move by a little, not by root's reserve.
    EXPECT_NEAR(double(figures.avail_clusters * cluster), double(avail), double(size) / 1000);
    EXPECT_EQ(m_drives->_getdiskfree(9, figures), ENOENT);
}

} // namespace

} // namespace vorn_test
