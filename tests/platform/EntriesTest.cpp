#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <set>
#include <string>
#include <system_error>
#include <thread>

#include "PlatformTest.h"
#include "platform/Crt.h"
#include "platform/FolderCalls.h"
#include "platform/WorkAside.h"

// A folder's entries: listing them and removing them.
namespace vorn_test {

namespace {

using Find = PlatformTest;

TEST_F(Find, ListsEachEntryThereByteForByteWithItsOwnKindAndSizeAndLeavesNoDescriptorOpen) {
    const int open = testsupport::OpenDescriptorCount();
    const std::string odd = "\xff\xfe not utf-8,\nback\\slash";
    const std::string longest(255, 'n');
    m_temp.File("file", 12);
    m_temp.File("sparse", 5368709120);
    m_temp.File(".hidden", 0);
    m_temp.File(odd, 0);
    m_temp.File(longest, 0);
    m_temp.Folder("folder");
    m_temp.Link("link", "folder");
    ASSERT_EQ(::mkfifo("pipe", 0644), 0);
    const timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, "file", times, 0), 0);
    // Each entry as its name, "/" for a folder, and its size; a link's is that of the name it
    // holds. An enumeration that opened the FIFO would hang here, waiting for a writer.
    std::set<std::string> listed;
    platform::FindData entry;
    std::intptr_t handle = platform::_findfirst(entry);
    for (bool more = handle != -1; more; more = platform::_findnext(handle, entry) == 0) {
        listed.insert(entry.name + (entry.isFolder ? "/ " : " ") + std::to_string(entry.size));
        EXPECT_TRUE(entry.name != "file" || entry.writeTime == 1000000000);
    }
    EXPECT_EQ(platform::_findclose(handle), 0);
    EXPECT_EQ(listed, (std::set<std::string>{"./ 0", "../ 0", "folder/ 0", "link 6", "pipe 0",
                                             "file 12", "sparse 5368709120", ".hidden 0",
                                             odd + " 0", longest + " 0"}));
    // Entries removed since the folder was read are left out.
    handle = platform::_findfirst(entry);
    for (const char* name : {"file", "sparse"}) {
        ASSERT_TRUE(entry.name == name || ::unlink(name) == 0);
    }
    while (platform::_findnext(handle, entry) == 0) {
        EXPECT_NE(IdOf(entry.name), platform::FolderId{}) << entry.name;
    }
    EXPECT_EQ(platform::_findclose(handle), 0);
    EXPECT_EQ(testsupport::OpenDescriptorCount(), open);
}

// A thread the system refuses leaves the work to the calling thread, which does it at once.
TEST(WorkAside, IsDoneByTheCallingThreadWhereNoThreadIsGiven) {
    platform::Meanwhile nothing;
    std::thread::id doneBy;
    platform::RunAside([&doneBy] { doneBy = std::this_thread::get_id(); }, nothing,
                       [](std::function<void()>) -> std::thread {
                           throw std::system_error(
                               std::make_error_code(std::errc::resource_unavailable_try_again));
                       });
    EXPECT_EQ(doneBy, std::this_thread::get_id());
}

using Removal = PlatformTest;

// What else a removal refuses, a read-only or replaced entry, is the deletion tests' part.
TEST_F(Removal, AFolderIsRefusedAsAFileBeforeAsReadOnlyAndALinkHasNoWriteBitOfItsOwn) {
    m_temp.File("locked", 0);
    m_temp.Folder("locked-folder");
    ASSERT_EQ(::chmod("locked", 0444), 0);
    ASSERT_EQ(::chmod("locked-folder", 0555), 0);
    m_temp.Link("link", "locked");
    const platform::FolderCalls& calls = platform::FolderCalls::System();
    EXPECT_EQ(calls.RemoveFile(AT_FDCWD, "locked-folder") == 0 ? 0 : errno, EISDIR);
    EXPECT_EQ(calls.RemoveFile(AT_FDCWD, "link"), 0);
    EXPECT_TRUE(m_temp.Exists("locked-folder") && !m_temp.Exists("link"));
}

} // namespace

} // namespace vorn_test
