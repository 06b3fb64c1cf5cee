#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cinttypes>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "PlatformTest.h"
#include "platform/DriveNumbering.h"
#include "platform/Drives.h"
#include "platform/VolumeMounts.h"
#include "support/FixedRoots.h"

namespace vorn_test {

namespace {

namespace fs = std::filesystem;

// Drives C and D are temporary folders; the working directory starts in neither.
class CurrentDrive : public PlatformTest {
protected:
    CurrentDrive() {
        m_temp.Folder("c/a/b");
        m_temp.Folder("d");
        m_roots.roots = {{3, c}, {4, d}};
    }

    std::string c = m_temp.Path("c");
    std::string d = m_temp.Path("d");
    testsupport::FixedRoots m_roots;
    platform::Drives m_drives{m_roots};
};

TEST_F(CurrentDrive, StartsOnTheNearestDriveHoldingTheWorkingDirectory) {
    EXPECT_EQ(m_drives._getdrive(), 0);
    ASSERT_EQ(::chdir((c + "/a/b").c_str()), 0);
    m_roots.roots = {{3, c}, {5, c + "/a"}};
    EXPECT_EQ(platform::Drives(m_roots)._getdrive(), 5);
    m_roots.roots = {{3, c + "/a"}, {5, c}};
    EXPECT_EQ(platform::Drives(m_roots)._getdrive(), 3);
}

TEST_F(CurrentDrive, ADriveGoesBackToItsFolderOnlyWhileItIsStillThatFolderOnTheDrive) {
    const auto backOnC = [&](const std::string& expected) {
        ASSERT_EQ(m_drives._chdrive(3), 0);
        EXPECT_EQ(IdOf("."), IdOf(expected));
    };
    backOnC(c);
    ASSERT_EQ(m_drives._chdir("a/b"), 0);
    ASSERT_EQ(m_drives._chdrive(4), 0);
    backOnC(c + "/a/b");
    fs::rename(c + "/a", d + "/a"); // off the drive while current
    backOnC(c);
    m_temp.Folder("c/a/b");
    ASSERT_EQ(m_drives._chdir("a/b"), 0);
    ASSERT_EQ(m_drives._chdrive(4), 0);
    fs::rename(c + "/a", m_temp.Path("old")); // replaced by a folder of the same name
    m_temp.Folder("c/a/b");
    backOnC(c);
}

TEST_F(CurrentDrive, EntersRealFoldersOfAnyNameAndDepthButNoLinkNorAboveTheRootHoldingNothing) {
    const int open = testsupport::OpenDescriptorCount();
    ASSERT_EQ(m_drives._chdrive(3), 0);
    // A chain far beyond any path's length: entered, and remembered while on D.
    const std::string name(40, 'n');
    testsupport::MakeDeepChain(c, name, 300, 0);
    for (int depth = 0; depth < 300; ++depth) {
        ASSERT_EQ(m_drives._chdir(name), 0);
    }
    ASSERT_EQ(m_drives._chdrive(4), 0);
    ASSERT_EQ(m_drives._chdrive(3), 0);
    EXPECT_NE(IdOf("leaf"), platform::FolderId{}) << "back at the bottom of the chain";
    m_temp.Link("c/link", "a");
    m_temp.Folder("c/\xff\nodd");
    m_temp.Folder("c/\\");
    const struct {
        const char* name;
        int error;
        const char* here; // in C
    } steps[] = {
        {"\\", 0, ""},
        {"../a/b/..", 0, "a"},
        {"b", 0, "a/b"},
        {"../../..", 0, ""},
        {"link", ENOTDIR, ""},
        {"a/../link/b", ENOTDIR, ""},
        {"./\xff\nodd", 0, "\xff\nodd"},
        {"../\\", 0, "\\"},
    };
    for (const auto& step : steps) {
        EXPECT_EQ(m_drives._chdir(step.name) == 0 ? 0 : errno, step.error) << step.name;
        EXPECT_EQ(IdOf("."), IdOf(c + "/" + step.here)) << step.name;
    }
    fs::remove(d); // medium taken out
    EXPECT_EQ(m_drives._chdrive(4), -1);
    EXPECT_EQ(IdOf("."), IdOf(c + "/\\"));
    EXPECT_EQ(testsupport::OpenDescriptorCount(), open) << "a drive left holds nothing open";
}

TEST(VolumeMounts, ListRealFileSystemsOnceEachByTheirDecodedPathsAndAlwaysTheRoot) {
    const char* mountinfo = "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
                            "27 1 0:40 / / rw - overlay overlay rw\n"
                            "50 27 8:2 / /home rw,relatime shared:1 master:2 - ext4 /dev/sda2 rw\n"
                            "51 27 0:50 / /net/share rw - nfs4 server:/export rw\n"
                            "54 27 7:0 / /snap/core/1 ro - squashfs /dev/loop0 ro\n"
                            "60 27 8:17 / /media/usb\\040stick\\134 rw - vfat /dev/sdb1 rw\n"
                            "70 27 8:1 /data /srv/data rw - ext4 /dev/sda1 rw\n"
                            "71 70 8:1 /data /srv/data rw - ext4 /dev/sda1 rw\n"
                            "garbage without fields\n- \n";
    EXPECT_EQ(
        platform::ParseVolumeMounts(mountinfo),
        (std::vector<std::string>{"/", "/home", "/media/usb stick\\", "/net/share", "/srv/data"}));
}

TEST(DriveNumbering, RootIsCAndEachOtherPathKeepsTheLowestNumberNeverGivenForLife) {
    using Drives = std::map<int, std::string>;
    platform::DriveNumbering numbering;
    EXPECT_EQ(numbering.Update({"/", "/a", "/b"}), (Drives{{3, "/"}, {4, "/a"}, {5, "/b"}}));
    // "/a" keeps 4 while it is away, so "/0" gets 6 although it sorts first.
    EXPECT_EQ(numbering.Update({"/", "/0", "/b"}), (Drives{{3, "/"}, {5, "/b"}, {6, "/0"}}));
    std::vector<std::string> paths{"/", "/0", "/a", "/b"};
    for (char letter = 'c'; letter <= 'z'; ++letter) {
        paths.push_back(std::string("/") + letter);
    }
    const Drives drives = numbering.Update(paths);
    EXPECT_EQ(drives.size(), 24u) << "none beyond Z";
    EXPECT_EQ(drives.at(4), "/a");
    EXPECT_EQ(*drives.rbegin(), (Drives::value_type{26, "/v"}));
}

// The machine's own volumes, read from its mount table.
using SystemDrives = PlatformTest;

TEST_F(SystemDrives, PseudoFileSystemsAreFoldersOfCAndEachFolderShowsItsOwnVolumesFigures) {
    ASSERT_EQ(::chdir("/proc"), 0);
    platform::Drives drives;
    EXPECT_EQ(drives._getdrive(), 3);
    platform::_diskfree_t figures;
    ASSERT_EQ(drives._getdiskfree(3, figures), 0);
    EXPECT_EQ(figures.total_clusters, 0u) << "those of /proc, which has no blocks, not of /";
    ASSERT_EQ(drives._chdir(".."), 0); // to "/", whose figures df gives
    std::uint64_t size = 0;
    std::uint64_t avail = 0;
    FILE* df = ::popen("df -B1 --output=size,avail / | tail -n 1", "r");
    ASSERT_NE(df, nullptr);
    EXPECT_EQ(::fscanf(df, "%" SCNu64 " %" SCNu64, &size, &avail), 2);
    ::pclose(df);
    ASSERT_EQ(drives._getdiskfree(0, figures), 0);
    const std::uint64_t cluster = figures.sectors_per_cluster * figures.bytes_per_sector;
    EXPECT_EQ(figures.total_clusters * cluster, size);
    // Others write meanwhile: the free space may move by a little, not by root's reserve.
    EXPECT_NEAR(double(figures.avail_clusters * cluster), double(avail), double(size) / 1000);
    EXPECT_EQ(drives._getdiskfree(27, figures), ENOENT);
}

} // namespace

} // namespace vorn_test
