#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <future>
#include <map>
#include <string>

#include "PlatformTest.h"
#include "platform/Crt.h"

namespace vorn_test {

namespace {

using Listing = std::map<std::string, platform::FindData>;

Listing ListHere() {
    Listing listing;
    platform::FindData entry;
    std::intptr_t handle = platform::_findfirst(entry);
    for (bool more = handle != -1; more; more = platform::_findnext(handle, entry) == 0) {
        listing.emplace(entry.name, entry);
    }
    if (handle != -1) {
        platform::_findclose(handle);
    }
    return listing;
}

using Find = PlatformTest;

TEST_F(Find, ListsEveryEntryByteForByteWithItsOwnKindAndSize) {
    const struct {
        std::string name;
        bool isFolder;
        std::uint64_t size;
    } expected[] = {{".", true, 0},
                    {"..", true, 0},
                    {".hidden", false, 0},
                    {".config", true, 0},
                    {"\xff\xfe not utf-8", false, 0},
                    {"line\nbreak", false, 0},
                    {std::string(255, 'n'), false, 0},
                    {"back\\slash", false, 0},
                    {" spaced ", false, 0},
                    {"\xe3\x83\x95\xe3\x82\xa9", false, 0},
                    {"file", false, 12},
                    {"sparse", false, 5368709120},
                    {"link", false, 6}, // its own size, that of the name it holds
                    {"folder", true, 0},
                    {"pipe", false, 0}};
    for (const auto& entry : expected) {
        if (entry.isFolder) {
            m_temp.Folder(entry.name);
        } else if (entry.name != "link" && entry.name != "pipe") {
            m_temp.File(entry.name, entry.size);
        }
    }
    m_temp.Link("link", "folder");
    ASSERT_EQ(::mkfifo("pipe", 0644), 0);
    const timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, "file", times, 0), 0);
    auto listed = std::async(std::launch::async, ListHere);
    if (listed.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // Opening the writing end releases a reader blocked in open, so the case ends.
        platform::FileDescriptor writer(::open("pipe", O_WRONLY | O_NONBLOCK));
        FAIL() << "the enumeration opened the FIFO";
    }
    Listing listing = listed.get();
    EXPECT_EQ(listing.size(), std::size(expected));
    for (const auto& entry : expected) {
        ASSERT_TRUE(listing.contains(entry.name)) << entry.name;
        EXPECT_EQ(listing[entry.name].isFolder, entry.isFolder) << entry.name;
        EXPECT_EQ(listing[entry.name].size, entry.size) << entry.name;
    }
    EXPECT_EQ(listing["file"].writeTime, 1000000000);
}

TEST_F(Find, HandlesLeaveNoDescriptorOpenAndWhatIsGoneIsNotListed) {
    m_temp.File("a", 1);
    m_temp.File("b", 2);
    m_temp.Folder("gone");
    const int before = testsupport::OpenDescriptorCount();
    for (int round = 0; round < 200; ++round) {
        platform::FindData entry;
        std::intptr_t handle = platform::_findfirst(entry);
        ASSERT_NE(handle, -1);
        // Half the searches are closed before they reach the end.
        while (round % 2 == 0 && platform::_findnext(handle, entry) == 0) {
        }
        EXPECT_EQ(platform::_findclose(handle), 0);
    }
    // Entries removed since the folder was read are left out.
    platform::FindData entry;
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
    EXPECT_EQ(testsupport::OpenDescriptorCount(), before);
}

} // namespace

} // namespace vorn_test
