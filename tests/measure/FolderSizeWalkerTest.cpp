#include "measure/FolderSizeWalker.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <future>
#include <system_error>

#include "support/DescriptorHog.h"
#include "support/ScopedMounts.h"
#include "support/StagedCalls.h"
#include "support/TempTree.h"

namespace vorn_test {

namespace {

using measure::FolderSizeWalker;

// Each case with one helper thread, and with several that share out the sub-trees.
class FolderSize : public ::testing::TestWithParam<unsigned> {
protected:
    measure::FolderSize Measure(const std::string& name,
                                const platform::ThreadStarter& start = platform::StartThread) {
        return FolderSizeWalker(GetParam(), start, calls).GetFolderSize(root.Get(), name.c_str());
    }

    testsupport::TempTree tree;
    platform::FileDescriptor root{::open(tree.Root().c_str(), O_RDONLY | O_DIRECTORY)};
    testsupport::StagedCalls calls;
};

TEST_P(FolderSize, CountsEachFileOnceAndNothingElseAtAnyDepthWithTheThreadsAndDescriptorsGiven) {
    tree.File("a/one", 1);
    tree.File("a/b/c/d/three", 3000);
    tree.File("a/b/huge", 5ull << 30); // sparse: sizes are what the files say, far beyond 32 bits
    tree.File("a/b/sub/huge", (4ull << 30) + 5);
    tree.File("a/.profile", 100); // a leading dot hides an entry, but its bytes count
    tree.File("a/b/.cache/inside", 100);
    tree.File("a/locked/secret", 1000); // unreadable: counts nothing, and nothing in its place
    tree.File("outside/payload", 100000);
    tree.Link("a/to-folder", "../outside"); // a link is an entry of its target name's length
    tree.Link("a/to-file", "../outside/payload");
    ASSERT_EQ(::mkfifo(tree.Path("a/pipe").c_str(), 0644), 0); // would block an open for reading
    testsupport::MakeDeepChain(tree.Path("a"), "deep", 12000, 77);
    for (int chain = 0; chain < 64; ++chain) {
        tree.Folder("a/wide/" + std::to_string(chain));
        testsupport::MakeDeepChain(tree.Path("a/wide/" + std::to_string(chain)), "d", 60, 1);
    }
    for (int file = 0; file < 1500; ++file) { // read in batches that idle helpers take
        tree.File("a/files/" + std::to_string(file), 2);
    }
    constexpr std::uint64_t kSize = 3001 + (9ull << 30) + 5 + 200 + 10 + 18 + 77 + 64 + 3000;
    const int before = testsupport::OpenDescriptorCount();
    calls.beforeOpen = [](int, const char* name) {
        return std::strcmp(name, "locked") == 0 ? EACCES : 0;
    };
    EXPECT_EQ(Measure("missing").bytes, 0u);
    // With fewer helpers than asked for, or none, the calling thread walks the rest.
    for (int allowed : {1, 0}) {
        const auto startSome = [allowed, started = 0](std::function<void()> work) mutable {
            if (started++ >= allowed) {
                throw std::system_error(
                    std::make_error_code(std::errc::resource_unavailable_try_again));
            }
            return std::thread(std::move(work));
        };
        EXPECT_EQ(Measure("a", startSome).bytes, kSize) << allowed;
    }
    // Descriptors that another part of the process takes once the walk is under way leave
    // nothing out while two are left, one for the folder walked and one to open the next; with
    // none left the size says it fell short.
    for (const int spare : {2, 0}) {
        testsupport::DescriptorHog hog(spare);
        calls.beforeOpen = [&hog](int, const char* name) {
            hog.Take();
            return std::strcmp(name, "locked") == 0 ? EACCES : 0;
        };
        const measure::FolderSize size = Measure("a");
        EXPECT_EQ(size.complete, spare > 0) << spare;
        EXPECT_EQ(size.bytes == kSize, spare > 0) << spare;
    }
    EXPECT_EQ(testsupport::OpenDescriptorCount(), before);
}

// No drain between the folders of a listing: the next is measured while one is still walked.
TEST_P(FolderSize, LaterFoldersAreMeasuredWhileAnEarlierOneIsStillWalked) {
    tree.File("first/stuck/data", 5);
    tree.File("second/data", 7);
    std::promise<void> secondOpened;
    std::shared_future<void> opened = secondOpened.get_future().share();
    calls.beforeOpen = [&](int, const char* name) {
        if (std::strcmp(name, "second") == 0) {
            secondOpened.set_value();
        }
        const bool stuck = std::strcmp(name, "stuck") == 0 &&
                           opened.wait_for(std::chrono::seconds(10)) != std::future_status::ready;
        return stuck ? ETIMEDOUT : 0;
    };
    FolderSizeWalker walker(GetParam() + 1, platform::StartThread, calls);
    walker.Add(root.Get(), "first");
    walker.Add(root.Get(), "second");
    EXPECT_EQ(walker.NextSize().bytes, 5u);
    EXPECT_EQ(walker.NextSize().bytes, 7u);
}

// Whether a walk enters another mount is the deletion tests' part: it is the same walk.
TEST_P(FolderSize, FoldersAreWalkedWhereTheFileSystemGivesNoTypes) {
    // ext2 without its filetype feature lists every entry untyped, as some file systems do.
    // Mounting needs privileges; where the machine cannot mount, the case skips.
    testsupport::ScopedMounts mounts;
    tree.File("image", 4 << 20);
    tree.Folder("untyped");
    if (std::system(("mkfs.ext2 -q -F -O ^filetype " + tree.Path("image")).c_str()) != 0 ||
        !mounts.Mount("-o loop " + tree.Path("image"), tree.Path("untyped"))) {
        GTEST_SKIP() << "cannot make and mount an ext2 image here";
    }
    tree.File("untyped/a/b/data", 5000);
    tree.File("untyped/a/top", 7);
    platform::FileDescriptor volume(::open(tree.Path("untyped").c_str(), O_RDONLY | O_DIRECTORY));
    EXPECT_EQ(FolderSizeWalker(GetParam()).GetFolderSize(volume.Get(), "a").bytes, 5007u);
}

INSTANTIATE_TEST_SUITE_P(Threads, FolderSize, ::testing::Values(1u, 2u, 4u));

} // namespace

} // namespace vorn_test
