#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <future>
#include <map>
#include <string>
#include <vector>

#include "PlatformTest.h"
#include "platform/Crt.h"

namespace vorn_test {

namespace {

using Listing = std::map<std::string, platform::FindData>;

Listing ListHere() {
    Listing listing;
    platform::FindData entry;
    std::intptr_t handle = platform::_findfirst(entry);
    if (handle == -1) {
        return listing;
    }
    do {
        listing.emplace(entry.name, entry);
    } while (platform::_findnext(handle, entry) == 0);
    platform::_findclose(handle);
    return listing;
}

class FindTest : public PlatformTest {};

TEST_F(FindTest, NamesComeBackByteForByte) {
    const std::vector<std::string> names = {
        "\xff\xfe not utf-8", "line\nbreak", std::string(255, 'n'),
        "back\\slash",        " spaced ",    "\xe3\x83\x95\xe3\x82\xa9"};
    for (const std::string& name : names) {
        m_temp.File(name, 0);
    }
    Listing listing = ListHere();
    EXPECT_EQ(listing.size(), names.size() + 2);
    for (const std::string& name : names) {
        EXPECT_TRUE(listing.contains(name)) << name;
    }
}

TEST_F(FindTest, DotsAndHiddenEntriesAreListed) {
    m_temp.File(".hidden", 0);
    ASSERT_EQ(::mkdir(".config", 0755), 0);
    Listing listing = ListHere();
    EXPECT_TRUE(listing.contains("."));
    EXPECT_TRUE(listing.contains(".."));
    EXPECT_TRUE(listing.contains(".hidden"));
    EXPECT_TRUE(listing[".config"].isFolder);
}

TEST_F(FindTest, ReportsSizeTimeAndFolderFlag) {
    m_temp.File("file", 12);
    ASSERT_EQ(::mkdir("folder", 0755), 0);
    const timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, "file", times, 0), 0);
    Listing listing = ListHere();
    EXPECT_FALSE(listing["file"].isFolder);
    EXPECT_EQ(listing["file"].size, 12u);
    EXPECT_EQ(listing["file"].writeTime, 1000000000);
    EXPECT_TRUE(listing["folder"].isFolder);
    EXPECT_EQ(listing["folder"].size, 0u);
}

TEST_F(FindTest, LinkToFolderIsAnEntryOfItsOwnSize) {
    ASSERT_EQ(::mkdir("target-folder", 0755), 0);
    ASSERT_EQ(::symlink("target-folder", "link"), 0);
    Listing listing = ListHere();
    EXPECT_FALSE(listing["link"].isFolder);
    EXPECT_EQ(listing["link"].size, std::string("target-folder").size());
}

TEST_F(FindTest, FifoIsListedEmptyWithoutBeingOpened) {
    ASSERT_EQ(::mkfifo("pipe", 0644), 0);
    auto listing = std::async(std::launch::async, ListHere);
    if (listing.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // Opening the writing end releases a reader blocked in open, so the case ends.
        platform::FileDescriptor writer(::open("pipe", O_WRONLY | O_NONBLOCK));
        FAIL() << "the enumeration opened the FIFO";
    }
    Listing entries = listing.get();
    ASSERT_TRUE(entries.contains("pipe"));
    EXPECT_FALSE(entries["pipe"].isFolder);
    EXPECT_EQ(entries["pipe"].size, 0u);
}

TEST_F(FindTest, SparseFileReportsItsFullSize) {
    m_temp.File("sparse", 5368709120);
    EXPECT_EQ(ListHere()["sparse"].size, 5368709120u);
}

TEST_F(FindTest, RemovedFolderYieldsNothing) {
    ASSERT_EQ(::mkdir("gone", 0755), 0);
    ASSERT_EQ(::chdir("gone"), 0);
    ASSERT_EQ(::rmdir("../gone"), 0);
    const int before = testsupport::OpenDescriptorCount();
    platform::FindData entry;
    errno = 0;
    EXPECT_EQ(platform::_findfirst(entry), -1);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(testsupport::OpenDescriptorCount(), before);
}

TEST_F(FindTest, HandlesLeaveNoDescriptorOpen) {
    m_temp.File("a", 1);
    m_temp.File("b", 2);
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
    EXPECT_EQ(testsupport::OpenDescriptorCount(), before);
}

} // namespace

} // namespace vorn_test
