#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "PlatformTest.h"
#include "platform/Crt.h"
#include "platform/RemovalSeam.h"

namespace vorn_test {

namespace {

bool Exists(const std::string& name) {
    struct stat st;
    return ::lstat(name.c_str(), &st) == 0;
}

// errno of a call expected to fail, or -1 when it did not fail.
template <typename Call> int FailureOf(Call call) {
    errno = 0;
    return call() == -1 ? errno : -1;
}

class RemovalTest : public PlatformTest {};

TEST_F(RemovalTest, RemoveTakesFilesNeverFolders) {
    m_temp.File("file", 0);
    ASSERT_EQ(::mkdir("folder", 0755), 0);
    EXPECT_EQ(platform::remove("file"), 0);
    EXPECT_FALSE(Exists("file"));
    EXPECT_EQ(FailureOf([] { return platform::remove("folder"); }), EISDIR);
    EXPECT_TRUE(Exists("folder"));
}

TEST_F(RemovalTest, RmdirTakesEmptyFoldersNeverFiles) {
    m_temp.File("file", 0);
    ASSERT_EQ(::mkdir("empty", 0755), 0);
    ASSERT_EQ(::mkdir("full", 0755), 0);
    m_temp.File("full/.hidden", 0);
    EXPECT_EQ(FailureOf([] { return platform::_rmdir("file"); }), ENOTDIR);
    EXPECT_EQ(FailureOf([] { return platform::_rmdir("full"); }), ENOTEMPTY);
    EXPECT_EQ(platform::_rmdir("empty"), 0);
    EXPECT_TRUE(Exists("file"));
    EXPECT_TRUE(Exists("full"));
    EXPECT_FALSE(Exists("empty"));
}

TEST_F(RemovalTest, MissingNameIsNotFound) {
    EXPECT_EQ(FailureOf([] { return platform::remove("missing"); }), ENOENT);
    EXPECT_EQ(FailureOf([] { return platform::_rmdir("missing"); }), ENOENT);
}

TEST_F(RemovalTest, ReadOnlyEntriesAreRefusedEvenForRoot) {
    m_temp.File("locked", 0);
    ASSERT_EQ(::chmod("locked", 0444), 0);
    ASSERT_EQ(::mkdir("locked-folder", 0555), 0);
    EXPECT_EQ(FailureOf([] { return platform::remove("locked"); }), EACCES);
    EXPECT_EQ(FailureOf([] { return platform::_rmdir("locked-folder"); }), EACCES);
    struct stat st;
    ASSERT_EQ(::stat("locked", &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
    EXPECT_TRUE(Exists("locked-folder"));
}

TEST_F(RemovalTest, LinkIsRemovedNotItsTarget) {
    m_temp.File("target", 0);
    ASSERT_EQ(::chmod("target", 0444), 0);
    ASSERT_EQ(::mkdir("target-folder", 0755), 0);
    ASSERT_EQ(::symlink("target", "link"), 0);
    ASSERT_EQ(::symlink("target-folder", "folder-link"), 0);
    EXPECT_EQ(FailureOf([] { return platform::_rmdir("folder-link"); }), ENOTDIR);
    EXPECT_EQ(platform::remove("link"), 0);
    EXPECT_EQ(platform::remove("folder-link"), 0);
    EXPECT_FALSE(Exists("link"));
    EXPECT_FALSE(Exists("folder-link"));
    EXPECT_TRUE(Exists("target"));
    EXPECT_TRUE(Exists("target-folder"));
}

TEST_F(RemovalTest, InjectedFailureStopsOnlyTheNamedEntry) {
    m_temp.File("busy", 0);
    m_temp.File("free", 0);
    ASSERT_EQ(::mkdir("protected", 0755), 0);
    platform::SetRemovalFailure([](const std::string& name) {
        return name == "busy" ? EBUSY : name == "protected" ? EROFS : 0;
    });
    EXPECT_EQ(FailureOf([] { return platform::remove("busy"); }), EBUSY);
    EXPECT_EQ(FailureOf([] { return platform::_rmdir("protected"); }), EROFS);
    EXPECT_EQ(platform::remove("free"), 0);
    EXPECT_TRUE(Exists("busy"));
    EXPECT_TRUE(Exists("protected"));
    platform::SetRemovalFailure({});
    EXPECT_EQ(platform::remove("busy"), 0);
}

} // namespace

} // namespace vorn_test
