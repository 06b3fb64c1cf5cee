#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <string>
#include <utility>

#include "PlatformTest.h"
#include "platform/Crt.h"
#include "platform/FolderCalls.h"

// A folder's entries: listing them and removing them.
namespace vorn_test {

namespace {

using Find = PlatformTest;

TEST_F(Find, ListsEveryEntryByteForByteWithItsOwnKindAndSize) {
    // A link has its own size, that of the name it holds.
    const std::map<std::string, std::pair<bool, std::uint64_t>> expected{
        {".", {true, 0}},
        {"..", {true, 0}},
        {"folder", {true, 0}},
        {"link", {false, 6}},
        {"pipe", {false, 0}},
        {"file", {false, 12}},
        {"sparse", {false, 5368709120}},
        {".hidden", {false, 0}},
        {"\xff\xfe not utf-8,\nback\\slash", {false, 0}},
        {std::string(255, 'n'), {false, 0}}};
    for (const auto& [name, kind] : expected) {
        if (!kind.first && name != "link" && name != "pipe") {
            m_temp.File(name, kind.second);
        }
    }
    m_temp.Folder("folder");
    m_temp.Link("link", "folder");
    ASSERT_EQ(::mkfifo("pipe", 0644), 0);
    const timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, "file", times, 0), 0);
    // An enumeration that opened the FIFO would hang here, waiting for a writer.
    std::map<std::string, std::pair<bool, std::uint64_t>> listed;
    std::int64_t fileTime = 0;
    platform::FindData entry;
    const std::intptr_t handle = platform::_findfirst(entry);
    for (bool more = handle != -1; more; more = platform::_findnext(handle, entry) == 0) {
        listed[entry.name] = {entry.isFolder, entry.size};
        fileTime = entry.name == "file" ? entry.writeTime : fileTime;
    }
    EXPECT_EQ(platform::_findclose(handle), 0);
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(fileTime, 1000000000);
}

TEST_F(Find, HandlesLeaveNoDescriptorOpenAndWhatIsGoneIsNotListed) {
    m_temp.File("a", 1);
    m_temp.File("b", 2);
    m_temp.Folder("gone");
    const int open = testsupport::OpenDescriptorCount();
    platform::FindData entry;
    EXPECT_EQ(platform::_findclose(platform::_findfirst(entry)), 0); // closed before its end
    // Entries removed since the folder was read are left out.
    const std::intptr_t handle = platform::_findfirst(entry);
    for (const char* name : {"a", "b"}) {
        ASSERT_TRUE(entry.name == name || ::unlink(name) == 0);
    }
    while (platform::_findnext(handle, entry) == 0) {
        EXPECT_NE(IdOf(entry.name), platform::FolderId{}) << entry.name;
    }
    EXPECT_EQ(platform::_findclose(handle), 0);
    ASSERT_EQ(::chdir("gone"), 0);
    ASSERT_EQ(::rmdir("../gone"), 0);
    errno = 0;
    EXPECT_EQ(platform::_findfirst(entry), -1);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(testsupport::OpenDescriptorCount(), open);
}

using Removal = PlatformTest;

TEST_F(Removal, EachCallTakesOnlyItsKindAndRefusesReadOnlyOrReplacedEntriesEvenForRoot) {
    m_temp.File("locked", 0);
    m_temp.Folder("locked-folder");
    m_temp.Folder("target-folder");
    m_temp.Folder("first");
    ASSERT_EQ(::rename("first", "aside"), 0);
    m_temp.Folder("first");
    ASSERT_EQ(::chmod("locked", 0444), 0);
    ASSERT_EQ(::chmod("locked-folder", 0555), 0);
    m_temp.Link("link", "locked");
    m_temp.Link("folder-link", "target-folder");
    const struct {
        const char* name;
        bool folder;
        int error;
        const char* expected = nullptr; // the folder the name must still be, when not itself
    } cases[] = {
        {"locked-folder", false, EISDIR}, // refused as a folder before as read-only
        {"locked", false, EACCES},        {"locked-folder", true, EACCES},
        {"first", true, ESTALE, "aside"}, {"link", false, 0}, // a link has no write bit of its own
        {"folder-link", false, 0},        {"aside", true, 0}};
    const platform::FolderCalls& calls = platform::FolderCalls::System();
    const auto exists = [](const char* name) { return IdOf(name) != platform::FolderId{}; };
    for (const auto& c : cases) {
        const int result =
            c.folder ? calls.RemoveFolder(AT_FDCWD, c.name, IdOf(c.expected ? c.expected : c.name))
                     : calls.RemoveFile(AT_FDCWD, c.name);
        EXPECT_EQ(result == 0 ? 0 : errno, c.error) << c.name;
        EXPECT_EQ(exists(c.name), c.error != 0) << c.name;
    }
    EXPECT_TRUE(exists("target-folder"));
}

} // namespace

} // namespace vorn_test
