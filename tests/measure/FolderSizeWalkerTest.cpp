#include "measure/FolderSizeWalker.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <future>
#include <system_error>

#include "support/DescriptorLimit.h"
#include "support/ScopedMounts.h"
#include "support/StagedCalls.h"
#include "support/TempTree.h"

namespace vorn_test {

namespace {

using measure::FolderSizeWalker;

// Each case with one helper thread, and with several that share out the sub-trees.
class FolderSize : public ::testing::TestWithParam<unsigned> {
protected:
    std::uint64_t Measure(const std::string& name,
                          const measure::ThreadStarter& start = FolderSizeWalker::StartThread) {
        return FolderSizeWalker(GetParam(), start, calls).GetFolderSize(root.Get(), name.c_str());
    }

    testsupport::TempTree tree;
    platform::FileDescriptor root{::open(tree.Root().c_str(), O_RDONLY | O_DIRECTORY)};
    testsupport::StagedCalls calls;
};

TEST_P(FolderSize, CountsEachFileOnceAndNothingElseWithTheThreadsTheSystemWillStart) {
    tree.File("a/one", 1);
    tree.File("a/b/c/d/three", 3000);
    tree.File("a/b/huge", 5ull << 30); // sparse: sizes are what the files say, far beyond 32 bits
    tree.File("a/b/sub/huge", (4ull << 30) + 5);
    tree.File("a/.profile", 100);
    tree.File("a/b/.cache/inside", 100);
    tree.File("a/locked/secret", 1000); // unreadable: counts nothing, and nothing in its place
    calls.beforeOpen = [](int, const char* name) {
        return std::strcmp(name, "locked") == 0 ? EACCES : 0;
    };
    tree.File("outside/payload", 100000);
    tree.Link("a/to-folder", "../outside"); // a link is an entry of its target name's length
    tree.Link("a/to-file", "../outside/payload");
    tree.Link("folder-link", "outside");
    ASSERT_EQ(::mkfifo(tree.Path("a/pipe").c_str(), 0644), 0); // would block an open for reading
    constexpr std::uint64_t kSize = 3001 + (9ull << 30) + 5 + 10 + 18;
    EXPECT_EQ(Measure("a"), kSize);
    EXPECT_EQ(Measure("folder-link"), 0u);
    EXPECT_EQ(Measure("missing"), 0u);
    // With fewer helpers than asked for, or none, the calling thread walks the rest.
    for (int allowed : {1, 0}) {
        const auto startSome = [allowed, started = 0](std::function<void()> work) mutable {
            if (started++ >= allowed) {
                throw std::system_error(
                    std::make_error_code(std::errc::resource_unavailable_try_again));
            }
            return std::thread(std::move(work));
        };
        EXPECT_EQ(Measure("a", startSome), kSize) << allowed;
    }
}

TEST_P(FolderSize, ExactBeyondAnyDepthAndTheDescriptorLimitWithoutLeaks) {
    testsupport::MakeDeepChain(tree.Root(), "deep", 12000, 77);
    for (int chain = 0; chain < 64; ++chain) {
        tree.Folder("wide/" + std::to_string(chain));
        testsupport::MakeDeepChain(tree.Path("wide/" + std::to_string(chain)), "d", 60, 1);
    }
    int before = testsupport::OpenDescriptorCount();
    {
        // Descriptors running short is no unreadable folder: nothing may be left out for it.
        testsupport::DescriptorLimit limit(48);
        EXPECT_EQ(Measure("deep"), 77u);
        EXPECT_EQ(Measure("wide"), 64u);
    }
    EXPECT_EQ(testsupport::OpenDescriptorCount(), before);
}

TEST_P(FolderSize, MoreFoldersAreOpenedAtOnceThanThreadsWhileOpeningWaits) {
    for (int i = 0; i < 256; ++i) {
        tree.Folder("a/" + std::to_string(i / 16) + "/" + std::to_string(i % 16));
    }
    std::atomic<unsigned> opening{0};
    std::atomic<unsigned> most{0};
    calls.beforeOpen = [&](int, const char*) {
        unsigned now = ++opening;
        for (unsigned seen = most; seen < now && !most.compare_exchange_weak(seen, now);) {
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1)); // as a read from the disk
        --opening;
        return 0;
    };
    EXPECT_EQ(Measure("a"), 0u);
    EXPECT_GT(most.load(), GetParam());
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
    FolderSizeWalker walker(GetParam() + 1, FolderSizeWalker::StartThread, calls);
    walker.Add(root.Get(), "first");
    walker.Add(root.Get(), "second");
    EXPECT_EQ(walker.NextSize(), 5u);
    EXPECT_EQ(walker.NextSize(), 7u);
}

TEST_P(FolderSize, NoOtherMountIsEnteredButFoldersAreWalkedWhereTheFileSystemGivesNoTypes) {
    // Mounting needs privileges; where the machine cannot mount, the case says so and skips.
    testsupport::ScopedMounts mounts;
    tree.File("a/local", 9);
    tree.File("a/source/data", 5000);
    for (const char* folder : {"a/volume", "a/bound", "a/self", "untyped"}) {
        tree.Folder(folder);
    }
    if (!mounts.Mount("none", tree.Path("a/volume"), "tmpfs", 0) ||
        !mounts.Mount(tree.Path("a/source").c_str(), tree.Path("a/bound"), nullptr, MS_BIND) ||
        !mounts.Mount(tree.Path("a").c_str(), tree.Path("a/self"), nullptr, MS_BIND)) {
        GTEST_SKIP() << "cannot mount here: " << std::strerror(errno);
    }
    tree.File("a/volume/remote", 5000);
    EXPECT_EQ(Measure("a"), 5009u);

    // ext2 without its filetype feature lists every entry untyped, as some file systems do.
    tree.File("image", 4 << 20);
    if (std::system(("mkfs.ext2 -q -F -O ^filetype " + tree.Path("image")).c_str()) != 0 ||
        !mounts.MountImage(tree.Path("image"), tree.Path("untyped"))) {
        GTEST_SKIP() << "cannot make and mount an ext2 image here";
    }
    tree.File("untyped/a/b/data", 5000);
    tree.File("untyped/a/top", 7);
    platform::FileDescriptor volume(::open(tree.Path("untyped").c_str(), O_RDONLY | O_DIRECTORY));
    EXPECT_EQ(FolderSizeWalker(GetParam()).GetFolderSize(volume.Get(), "a"), 5007u);
}

INSTANTIATE_TEST_SUITE_P(Threads, FolderSize, ::testing::Values(1u, 2u, 4u));

} // namespace

} // namespace vorn_test
