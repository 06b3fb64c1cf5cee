#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "PlatformTest.h"
#include "platform/EntryStatus.h"
#include "platform/FolderCalls.h"

namespace vorn_test {

namespace {

bool Exists(const std::string& name) {
    struct stat st;
    return ::lstat(name.c_str(), &st) == 0;
}

class RemovalTest : public PlatformTest {
protected:
    // 0, or the errno of the failed removal.
    static int RemoveFile(const std::string& name) {
        return platform::FolderCalls::System().RemoveFile(AT_FDCWD, name) == 0 ? 0 : errno;
    }
    static int RemoveFolder(const std::string& name) {
        platform::EntryStatus status;
        platform::StatEntry(AT_FDCWD, name.c_str(), status);
        return RemoveFolder(name, status.id);
    }
    static int RemoveFolder(const std::string& name, const platform::FolderId& expected) {
        return platform::FolderCalls::System().RemoveFolder(AT_FDCWD, name, expected) == 0 ? 0
                                                                                           : errno;
    }
};

TEST_F(RemovalTest, EachCallTakesOnlyItsKindAndRefusesReadOnlyEntriesEvenForRoot) {
    m_temp.File("file", 0);
    m_temp.File("locked", 0);
    m_temp.File("full/.hidden", 0);
    m_temp.Folder("empty");
    m_temp.Folder("locked-folder");
    m_temp.Folder("target-folder");
    ASSERT_EQ(::chmod("locked", 0444), 0);
    ASSERT_EQ(::chmod("locked-folder", 0555), 0);
    ASSERT_EQ(::symlink("locked", "link"), 0);
    ASSERT_EQ(::symlink("target-folder", "folder-link"), 0);
    EXPECT_EQ(RemoveFile("empty"), EISDIR);
    EXPECT_EQ(RemoveFolder("file"), ENOTDIR);
    EXPECT_EQ(RemoveFolder("folder-link"), ENOTDIR);
    EXPECT_EQ(RemoveFolder("full"), ENOTEMPTY);
    EXPECT_EQ(RemoveFile("missing"), ENOENT);
    EXPECT_EQ(RemoveFolder("missing"), ENOENT);
    EXPECT_EQ(RemoveFile("locked"), EACCES);
    EXPECT_EQ(RemoveFolder("locked-folder"), EACCES);
    for (const char* kept : {"empty", "file", "folder-link", "full", "locked", "locked-folder"}) {
        EXPECT_TRUE(Exists(kept)) << kept;
    }
    EXPECT_EQ(RemoveFile("link"), 0) << "a link has no write bit of its own";
    EXPECT_EQ(RemoveFile("folder-link"), 0);
    EXPECT_EQ(RemoveFile("file"), 0);
    EXPECT_EQ(RemoveFolder("empty"), 0);
    for (const char* gone : {"link", "folder-link", "file", "empty"}) {
        EXPECT_FALSE(Exists(gone)) << gone;
    }
    EXPECT_TRUE(Exists("locked"));
    EXPECT_TRUE(Exists("target-folder"));
}

TEST_F(RemovalTest, FolderIsRemovedOnlyWhileItIsTheFolderExpected) {
    m_temp.Folder("first");
    platform::EntryStatus first;
    ASSERT_TRUE(platform::StatEntry(AT_FDCWD, "first", first));
    ASSERT_EQ(::rename("first", "aside"), 0);
    m_temp.Folder("first");
    EXPECT_EQ(RemoveFolder("first", first.id), ESTALE);
    EXPECT_TRUE(Exists("first"));
    EXPECT_EQ(RemoveFolder("aside", first.id), 0);
}

} // namespace

} // namespace vorn_test
