#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "DeletionTest.h"
#include "support/DescriptorLimit.h"
#include "support/MovingChain.h"

namespace vorn_test {

namespace {

class FolderDeleterTest : public DeletionTest {};

TEST_F(FolderDeleterTest, RemovesEverythingBeneathDepthFirst) {
    tree.Folder("empty");
    tree.File("a/one", 10);
    tree.File("a/sub/two", 20);
    tree.File("a/sub/deeper/three", 3 << 20);
    tree.Folder("a/sub/hollow");
    tree.File("keep/a", 1);
    EXPECT_EQ(DeleteFolder("empty"), 0);
    EXPECT_EQ(DeleteFolder("a"), 0);
    EXPECT_EQ(log.events, Events{});
    EXPECT_FALSE(Exists("empty"));
    EXPECT_FALSE(Exists("a"));
    EXPECT_TRUE(Exists("keep/a"));
}

TEST_F(FolderDeleterTest, ReadOnlyFileStopsTheWalkWithTheFileNotice) {
    tree.File("a/locked", 5);
    MakeReadOnly("a/locked");
    tree.File("a/sub/plain", 5);
    EXPECT_EQ(DeleteFolder("a"), EACCES);
    EXPECT_EQ(log.events, (Events{"162 locked"}));
    EXPECT_EQ(Contents("a/locked"), "vvvvv");
    struct stat st;
    ASSERT_EQ(::stat(tree.Path("a/locked").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u) << "no permission is changed to force a removal";
}

TEST_F(FolderDeleterTest, ReadOnlyFolderIsEmptiedButStays) {
    tree.File("a/ro/inside", 5);
    MakeReadOnly("a/ro");
    EXPECT_EQ(DeleteFolder("a"), EACCES);
    EXPECT_EQ(log.events, (Events{"164 ro"}));
    EXPECT_FALSE(Exists("a/ro/inside"));
    EXPECT_TRUE(Exists("a/ro"));
}

TEST_F(FolderDeleterTest, DotEntriesStayAndKeepTheirFolder) {
    tree.File("a/.profile", 3);
    tree.File("a/.cache/inside", 3);
    tree.File("a/plain", 3);
    EXPECT_EQ(DeleteFolder("a"), ENOTEMPTY);
    EXPECT_EQ(log.events, (Events{"164 a"}));
    EXPECT_FALSE(Exists("a/plain"));
    EXPECT_EQ(Contents("a/.profile"), "vvv");
    EXPECT_EQ(Contents("a/.cache/inside"), "vvv");
}

TEST_F(FolderDeleterTest, VanishedFolderIsNotFoundWithoutNotice) {
    tree.File("other/file", 1);
    EXPECT_EQ(DeleteFolder("gone"), ENOENT);
    EXPECT_EQ(log.events, Events{});
    EXPECT_TRUE(Exists("other/file"));
}

TEST_F(FolderDeleterTest, OnlyPlainNamesOfTheWorkingDirectoryAreTaken) {
    tree.File("a/b/file", 1);
    ASSERT_EQ(::chdir(tree.Path("a").c_str()), 0);
    EXPECT_EQ(DeleteFolder(".."), EINVAL);
    EXPECT_EQ(DeleteFolder("."), EINVAL);
    EXPECT_EQ(DeleteFolder("b/"), EINVAL);
    EXPECT_EQ(DeleteFolder(""), EINVAL);
    ASSERT_EQ(::chdir(tree.Root().c_str()), 0);
    EXPECT_EQ(DeleteFolder("a/b"), EINVAL);
    EXPECT_EQ(log.events, (Events{"164 ..", "164 .", "164 b/", "164 ", "164 a/b"}));
    EXPECT_TRUE(Exists("a/b/file"));
}

TEST_F(FolderDeleterTest, UndecodableNameIsTakenByItsExactBytes) {
    const std::string latin1 = "caf\xe9";           // not UTF-8
    const std::string utf8 = "caf\xc3\xa9";         // the same word, decodable
    const std::string replaced = "caf\xef\xbf\xbd"; // what a lossy decoding shows
    for (const std::string& name : {latin1, utf8, replaced}) {
        tree.File(name + "/" + latin1, 1);
    }
    EXPECT_EQ(DeleteFolder(latin1), 0);
    EXPECT_EQ(log.events, Events{});
    EXPECT_FALSE(Exists(latin1));
    EXPECT_TRUE(Exists(utf8 + "/" + latin1));
    EXPECT_TRUE(Exists(replaced + "/" + latin1));
}

TEST_F(FolderDeleterTest, FolderThatCannotBeEnteredIsReported) {
    tree.File("a/locked/secret", 4);
    tree.File("a/locked/deeper/secret", 4);
    calls.beforeOpen = [](int, const char* name) {
        return std::strcmp(name, "locked") == 0 ? EACCES : 0;
    };
    EXPECT_EQ(DeleteFolder("a"), EACCES);
    EXPECT_EQ(log.events, (Events{"164 locked"}));
    EXPECT_TRUE(Exists("a/locked/secret"));
    EXPECT_TRUE(Exists("a/locked/deeper/secret"));
}

// Links: removed as links, whatever and wherever they point; their targets stay byte for byte.
class LinkTest : public DeletionTest {
protected:
    static constexpr const char* kPayload = "payload \x01\x02\xff bytes";

    LinkTest() {
        tree.Folder("outside/sub");
        Write("outside/payload", kPayload);
        Write("outside/sub/payload", kPayload);
    }
    void ExpectOutsideIntact() {
        EXPECT_EQ(Contents("outside/payload"), kPayload);
        EXPECT_EQ(Contents("outside/sub/payload"), kPayload);
    }
};

TEST_F(LinkTest, LinksToFoldersAndFilesOutsideAreRemovedAsLinks) {
    tree.Folder("a/deep/er");
    tree.Link("a/to-folder", tree.Path("outside"));
    tree.Link("a/deep/er/to-folder", "../../../outside/sub");
    tree.Link("a/to-file", tree.Path("outside/payload"));
    tree.Link("a/dangling", tree.Path("nowhere"));
    EXPECT_EQ(DeleteFolder("a"), 0);
    EXPECT_EQ(log.events, Events{});
    EXPECT_FALSE(Exists("a"));
    ExpectOutsideIntact();
}

TEST_F(LinkTest, LinkLoopsEndWithTheirLinks) {
    tree.Folder("a/b");
    tree.Link("a/b/up", "..");
    tree.Link("a/self", ".");
    tree.Link("a/loop", "loop");
    EXPECT_EQ(DeleteFolder("a"), 0);
    EXPECT_EQ(log.events, Events{});
    EXPECT_FALSE(Exists("a"));
    ExpectOutsideIntact();
}

TEST_F(LinkTest, FolderSwappedForALinkBeforeItIsEnteredIsNotFollowed) {
    tree.File("a/sub/own", 2);
    calls.beforeOpen = [this](int, const char* name) {
        if (std::strcmp(name, "sub") == 0 && !Exists("outside/moved")) {
            EXPECT_EQ(::rename(tree.Path("a/sub").c_str(), tree.Path("outside/moved").c_str()), 0);
            tree.Link("a/sub", tree.Path("outside"));
        }
        return 0;
    };
    EXPECT_EQ(DeleteFolder("a"), 0);
    EXPECT_EQ(log.events, Events{});
    EXPECT_FALSE(Exists("a"));
    EXPECT_EQ(Contents("outside/moved/own"), "vv");
    ExpectOutsideIntact();
}

// A folder moved or replaced while it is being emptied stops the walk with the folder notice.
class MovedFolderTest : public LinkTest {
protected:
    // Moves the emptied folder a/sub aside just before it would be removed and puts `replace`
    // in its place.
    template <typename Replace> void MoveSubAsideThen(Replace replace) {
        calls.beforeRemoval = [this, replace](int, const std::string& name) {
            if (name == "sub" && !Exists("outside/moved")) {
                EXPECT_EQ(::rename(tree.Path("a/sub").c_str(), tree.Path("outside/moved").c_str()),
                          0);
                replace();
            }
            return 0;
        };
    }
};

TEST_F(MovedFolderTest, EmptyFolderPutInItsPlaceIsNotRemoved) {
    tree.File("a/sub/own", 2);
    MoveSubAsideThen([this] { tree.Folder("a/sub"); });
    EXPECT_EQ(DeleteFolder("a"), ESTALE);
    EXPECT_EQ(log.events, (Events{"164 sub"}));
    EXPECT_TRUE(Exists("a/sub"));
    EXPECT_TRUE(Exists("outside/moved"));
    EXPECT_FALSE(Exists("outside/moved/own"));
    ExpectOutsideIntact();
}

TEST_F(MovedFolderTest, LinkPutInItsPlaceIsNotFollowed) {
    tree.File("a/sub/own", 2);
    MoveSubAsideThen([this] { tree.Link("a/sub", tree.Path("outside/sub")); });
    EXPECT_EQ(DeleteFolder("a"), ESTALE);
    EXPECT_EQ(log.events, (Events{"164 sub"}));
    EXPECT_TRUE(Exists("a/sub"));
    EXPECT_TRUE(Exists("outside/moved"));
    EXPECT_FALSE(Exists("outside/moved/own"));
    ExpectOutsideIntact();
}

TEST_F(MovedFolderTest, FolderMovedAboveTheOpenWindowIsNotFollowedToItsNewParent) {
    // Folders far above the walk are reopened through ".." on the way back. Once a folder of the
    // chain has moved under another parent, that parent's look-alike entries must stay.
    testsupport::MovingChain chain(tree, 3, calls);
    EXPECT_EQ(DeleteFolder("c"), ESTALE);
    EXPECT_TRUE(chain.Moved());
    EXPECT_EQ(log.events, (Events{"164 c"}));
    EXPECT_TRUE(Exists(chain.FortyNinth()));
    EXPECT_TRUE(Exists("elsewhere/c"));
    EXPECT_FALSE(Exists("elsewhere/c/c"));
    for (char k = chain.kFirstLookAlike; k <= chain.kLastLookAlike; ++k) {
        EXPECT_EQ(Contents(std::string("elsewhere/z") + k + "/bulk"), "vvv");
    }
}

// Mount points need privileges; where the machine cannot mount, these cases say so and skip.
class MountTest : public DeletionTest {};

TEST_F(MountTest, MountBeneathStaysAndKeepsTheFolderHoldingIt) {
    tree.File("a/local", 1);
    tree.Folder("a/holder/volume");
    if (!Mount("none", "a/holder/volume", "tmpfs", 0)) {
        GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
    }
    tree.File("a/holder/volume/remote", 7);
    tree.File("a/holder/beside", 1);
    EXPECT_EQ(DeleteFolder("a"), ENOTEMPTY);
    EXPECT_EQ(log.events, (Events{"164 holder"}));
    EXPECT_EQ(Contents("a/holder/volume/remote"), "vvvvvvv");
    EXPECT_FALSE(Exists("a/holder/beside"));
}

TEST_F(MountTest, BindMountOfTheSameFileSystemIsNotEntered) {
    tree.File("outside/payload", 7);
    tree.Folder("a/bound");
    if (!Mount(tree.Path("outside").c_str(), "a/bound", nullptr, MS_BIND)) {
        GTEST_SKIP() << "cannot bind-mount here: " << std::strerror(errno);
    }
    EXPECT_EQ(DeleteFolder("a"), ENOTEMPTY);
    EXPECT_EQ(log.events, (Events{"164 a"}));
    EXPECT_EQ(Contents("outside/payload"), "vvvvvvv");
    EXPECT_EQ(Contents("a/bound/payload"), "vvvvvvv");
}

TEST_F(MountTest, ChosenMountPointIsNotEntered) {
    tree.Folder("volume");
    if (!Mount("none", "volume", "tmpfs", 0)) {
        GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
    }
    tree.File("volume/remote", 7);
    EXPECT_EQ(DeleteFolder("volume"), EBUSY);
    EXPECT_EQ(log.events, (Events{"164 volume"}));
    EXPECT_EQ(Contents("volume/remote"), "vvvvvvv");
}

// Depth: no recursion, no paths, and a bounded number of descriptors, far fewer than levels,
// whatever few the process may have.
class DeepTreeTest : public DeletionTest {
    testsupport::DescriptorLimit m_limit{40};
};

TEST_F(DeepTreeTest, TenThousandLevelsGoWithoutLeakingDescriptors) {
    testsupport::MakeDeepChain(tree.Root(), "d", 10000, 77);
    tree.File("d/side", 3);
    tree.File("beside", 3);
    int before = testsupport::OpenDescriptorCount();
    EXPECT_EQ(DeleteFolder("d"), 0);
    EXPECT_EQ(testsupport::OpenDescriptorCount(), before);
    EXPECT_EQ(log.events, Events{});
    EXPECT_FALSE(Exists("d"));
    EXPECT_TRUE(Exists("beside"));
}

TEST_F(DeepTreeTest, LongNamesFarPastThePathLimitGo) {
    const std::string name(255, 'n');
    testsupport::MakeDeepChain(tree.Root(), name, 1000, 5);
    int before = testsupport::OpenDescriptorCount();
    EXPECT_EQ(DeleteFolder(name), 0);
    EXPECT_EQ(testsupport::OpenDescriptorCount(), before);
    EXPECT_EQ(log.events, Events{});
    EXPECT_FALSE(Exists(name));
}

TEST_F(DeepTreeTest, FailureAtTheBottomLeavesTheChainAndNoDescriptors) {
    testsupport::MakeDeepChain(tree.Root(), "d", 10000, 4);
    calls.beforeRemoval = [](int, const std::string& name) { return name == "leaf" ? ETXTBSY : 0; };
    int before = testsupport::OpenDescriptorCount();
    EXPECT_EQ(DeleteFolder("d"), ETXTBSY);
    EXPECT_EQ(testsupport::OpenDescriptorCount(), before);
    EXPECT_EQ(log.events, (Events{"162 leaf"}));
    EXPECT_TRUE(Exists("d/d/d"));
}

} // namespace

} // namespace vorn_test
