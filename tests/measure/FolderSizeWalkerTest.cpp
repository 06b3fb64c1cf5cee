#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <future>
#include <system_error>

#include "measure/FolderSizeWalker.h"
#include "platform/FileDescriptor.h"
#include "support/DescriptorLimit.h"
#include "support/MovingChain.h"
#include "support/ScopedMounts.h"
#include "support/TempTree.h"

namespace {

using measure::FolderSizeWalker;
using platform::FileDescriptor;
using testsupport::TempTree;

class FolderSize : public ::testing::TestWithParam<unsigned> {
protected:
    std::uint64_t Measure(const std::string& name,
                          const measure::ThreadStarter& start = FolderSizeWalker::StartThread) {
        FileDescriptor root(::open(tree.Root().c_str(), O_RDONLY | O_DIRECTORY));
        FolderSizeWalker walker(GetParam(), start, calls);
        return walker.GetFolderSize(root.Get(), name.c_str());
    }

    TempTree tree;
    testsupport::StagedCalls calls;
};

TEST_P(FolderSize, CountsFilesAtEveryDepthAndSkipsDotNames) {
    tree.File("a/one", 1);
    tree.File("a/b/two", 2);
    tree.File("a/b/c/d/three", 3000);
    tree.File("a/.profile", 100);
    tree.File("a/.cache/inside", 100);
    tree.File("a/b/.hidden/inside", 100);
    tree.Folder("a/empty");
    EXPECT_EQ(Measure("a"), 3003u);
    tree.Folder("nothing/deeper/still");
    EXPECT_EQ(Measure("nothing"), 0u);
}

TEST_P(FolderSize, HugeSparseFilesDoNotWrap) {
    tree.File("big/five", 5ull << 30);
    tree.File("big/sub/four", (4ull << 30) + 5);
    EXPECT_EQ(Measure("big"), (9ull << 30) + 5);
}

TEST_P(FolderSize, LinksAreNeverFollowed) {
    tree.File("outside/payload", 100000);
    tree.File("a/real", 10);
    tree.Link("a/to-outside", tree.Path("outside"));
    tree.Link("a/to-file", tree.Path("outside/payload"));
    tree.Link("a/loop", "../a");
    struct stat st[3];
    ::lstat(tree.Path("a/to-outside").c_str(), &st[0]);
    ::lstat(tree.Path("a/to-file").c_str(), &st[1]);
    ::lstat(tree.Path("a/loop").c_str(), &st[2]);
    // A link counts as an entry of its own size, whatever it points to.
    EXPECT_EQ(Measure("a"), 10u + st[0].st_size + st[1].st_size + st[2].st_size);
    tree.Link("folder-link", tree.Path("outside"));
    EXPECT_EQ(Measure("folder-link"), 0u);
}

TEST_P(FolderSize, SpecialFilesCountZeroAndAreNotOpened) {
    tree.File("a/data", 7);
    ASSERT_EQ(::mkfifo(tree.Path("a/pipe").c_str(), 0644), 0);
    EXPECT_EQ(Measure("a"), 7u); // a FIFO opened for reading would block here
}

TEST_P(FolderSize, UnreadableFolderCountsNothingAndNothingElseInItsPlace) {
    tree.File("a/keep", 5);
    tree.File("a/locked/secret", 1000);
    tree.File("a/locked/deeper/secret", 1000);
    tree.File("a/open/fine", 20);
    calls.beforeOpen = [](int, const char* name) {
        return std::strcmp(name, "locked") == 0 ? EACCES : 0;
    };
    EXPECT_EQ(Measure("a"), 25u);
    EXPECT_EQ(Measure("locked"), 0u) << "a missing name measures 0";
}

TEST_P(FolderSize, VeryDeepTreeNeitherCrashesNorRunsOutOfDescriptors) {
    testsupport::MakeDeepChain(tree.Root(), "d", 12000, 77);
    tree.File("d/side", 3);
    int before = testsupport::OpenDescriptorCount();
    EXPECT_EQ(Measure("d"), 80u);
    EXPECT_EQ(Measure("d"), 80u);
    EXPECT_EQ(testsupport::OpenDescriptorCount(), before);
}

TEST_P(FolderSize, ExactWhenTheTreeIsDeeperAndWiderThanTheDescriptorLimit) {
    // Descriptors running short is no unreadable folder: nothing may be left out for it.
    for (int chain = 0; chain < 64; ++chain) {
        tree.Folder("wide/" + std::to_string(chain));
        testsupport::MakeDeepChain(tree.Path("wide/" + std::to_string(chain)), "d", 60, 1);
    }
    testsupport::DescriptorLimit limit(48);
    EXPECT_EQ(Measure("wide"), 64u);
}

TEST_P(FolderSize, GoesOnWithTheThreadsTheSystemWillStart) {
    tree.File("a/b/c", 3);
    tree.File("a/d/e", 4);
    int started = 0;
    const auto startOne = [&started](std::function<void()> work) {
        if (started++ > 0) {
            throw std::system_error(
                std::make_error_code(std::errc::resource_unavailable_try_again));
        }
        return std::thread(std::move(work));
    };
    const auto startNone = [](std::function<void()>) -> std::thread {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    };
    EXPECT_EQ(Measure("a", startOne), 7u);
    EXPECT_EQ(Measure("a", startNone), 7u);
}

TEST_P(FolderSize, LaterFoldersAreMeasuredWhileAnEarlierOneIsStillWalked) {
    tree.File("first/stuck/data", 5);
    tree.File("second/data", 7);
    std::promise<void> secondOpened;
    std::shared_future<void> opened = secondOpened.get_future().share();
    calls.beforeOpen = [&](int, const char* name) {
        if (std::strcmp(name, "second") == 0) {
            secondOpened.set_value();
        }
        // One folder at a time, "second" would be opened only once "stuck" had been.
        const bool stuck = std::strcmp(name, "stuck") == 0 &&
                           opened.wait_for(std::chrono::seconds(10)) != std::future_status::ready;
        return stuck ? ETIMEDOUT : 0;
    };
    FileDescriptor root(::open(tree.Root().c_str(), O_RDONLY | O_DIRECTORY));
    FolderSizeWalker walker(GetParam() + 1, FolderSizeWalker::StartThread, calls);
    walker.Add(root.Get(), "first");
    walker.Add(root.Get(), "second");
    EXPECT_EQ(walker.NextSize(), 5u);
    EXPECT_EQ(walker.NextSize(), 7u);
}

TEST_P(FolderSize, MoreFoldersAreOpenedAtOnceThanThreadsWhileOpeningWaits) {
    for (int i = 0; i < 16; ++i) {
        for (int j = 0; j < 16; ++j) {
            tree.Folder("a/" + std::to_string(i) + "/" + std::to_string(j));
        }
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

TEST_P(FolderSize, SubtreeMovedAwayDuringTheWalkIsNotFollowedElsewhere) {
    // The walk reopens folders beyond its open window through "..". Once a folder of the chain
    // has been moved under another parent, that parent must not be walked in its place: its
    // look-alike sub-folders full of data stay uncounted.
    testsupport::MovingChain chain(tree, 1000000, calls);
    std::uint64_t size = Measure("c");
    ASSERT_TRUE(chain.Moved());
    EXPECT_EQ(size, 1u);
}

// Mount points need privileges; where the machine cannot mount, these cases say so and skip.
class MountedFolder : public FolderSize {
protected:
    bool Mount(const char* source, const std::string& target, const char* type,
               unsigned long flags) {
        return mounts.Mount(source, target, type, flags);
    }
    testsupport::ScopedMounts mounts;
};

TEST_P(MountedFolder, OtherFileSystemsAreNotEntered) {
    tree.File("a/local", 9);
    tree.Folder("a/volume");
    if (!Mount("none", tree.Path("a/volume"), "tmpfs", 0)) {
        GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
    }
    tree.File("a/volume/remote", 5000);
    EXPECT_EQ(Measure("a"), 9u);
}

TEST_P(MountedFolder, BindMountOfASiblingCountsNothing) {
    tree.File("a/source/data", 5000);
    tree.Folder("a/bound");
    if (!Mount(tree.Path("a/source").c_str(), tree.Path("a/bound"), nullptr, MS_BIND)) {
        GTEST_SKIP() << "cannot bind-mount here: " << std::strerror(errno);
    }
    EXPECT_EQ(Measure("a"), 5000u);
}

TEST_P(MountedFolder, FolderBoundInsideItselfIsMeasuredOnce) {
    tree.File("a/local", 9);
    tree.Folder("a/self");
    if (!Mount(tree.Path("a").c_str(), tree.Path("a/self"), nullptr, MS_BIND)) {
        GTEST_SKIP() << "cannot bind-mount here: " << std::strerror(errno);
    }
    EXPECT_EQ(Measure("a"), 9u);
}

INSTANTIATE_TEST_SUITE_P(Threads, FolderSize, ::testing::Values(1u, 2u, 4u));
INSTANTIATE_TEST_SUITE_P(Threads, MountedFolder, ::testing::Values(1u, 2u));

} // namespace
