#include <sys/mount.h>

#include <QStringList>

#include "TreeViewFixture.h"
#include "resources/ResourceIds.h"
#include "support/ScopedMounts.h"
#include "views/DisplayName.h"
#include "views/FolderTreeItem.h"

namespace {

using TreeFolderNames = TreeViewFixture;

TEST_F(TreeFolderNames, OnlyRealFoldersAppearAndTakeOrdinals) {
    UseDrives("CD");
    disk.Folder("C/real");
    disk.Folder("C/.hidden");
    disk.File("C/file", 3);
    disk.Folder("D/target");
    disk.Link("C/link", "real");
    disk.Link("C/away", Root('D') + "/target");
    StartIn(Root('C'));

    EXPECT_EQ(Texts("[C:]"), QStringList{"real"});
    EXPECT_EQ(ItemData("[C:]"), std::vector<long>{0});
}

TEST_F(TreeFolderNames, UndecodableNamesAreEnteredByTheirBytes) {
    UseDrives("C");
    const std::string latin = "caf\xe9";
    const std::string other = "caf\xe8";
    disk.Folder("C/" + latin + "/one");
    disk.Folder("C/" + other + "/two");
    // A folder named "\" is a folder, not the way to the drive's root.
    disk.Folder("C/\\/three");
    StartIn(Root('C'));
    const std::string latinText = DisplayName(latin).toStdString();
    const std::string otherText = DisplayName(other).toStdString();
    const std::string backslashText = DisplayName("\\").toStdString();

    Click("[C:]/" + latinText);
    EXPECT_EQ(Item("[C:]/" + latinText)->NameBytes(), latin);
    EXPECT_EQ(Texts("[C:]/" + latinText), QStringList{"one"});
    EXPECT_TRUE(InSelectedFolder());
    Click("[C:]/" + otherText);
    EXPECT_EQ(Texts("[C:]/" + otherText), QStringList{"two"});
    EXPECT_TRUE(InSelectedFolder());
    Click("[C:]/" + backslashText);
    EXPECT_EQ(Texts("[C:]/" + backslashText), QStringList{"three"});
    EXPECT_TRUE(InSelectedFolder());
    EXPECT_TRUE(notices.isEmpty());
}

TEST_F(TreeFolderNames, AMountPointOpensLikeAnyFolder) {
    UseDrives("C");
    disk.Folder("C/mnt");
    disk.Folder("volume/inside");
    // Another volume's root over an empty folder of the drive.
    testsupport::ScopedMounts mounts;
    if (!mounts.Mount(disk.Path("volume").c_str(), Root('C') + "/mnt", nullptr, MS_BIND)) {
        GTEST_SKIP() << "a bind mount cannot be made here";
    }
    StartIn(Root('C'));

    Click("[C:]/mnt");
    EXPECT_EQ(Texts("[C:]/mnt"), QStringList{"inside"});
    EXPECT_TRUE(InSelectedFolder());
    Click("[C:]/mnt/inside");
    EXPECT_TRUE(InSelectedFolder());
    ASSERT_TRUE(tree.OnCmdMsg(ID_FOLDER_UP));
    EXPECT_EQ(SelectedPath(), "[C:]/mnt");
    EXPECT_TRUE(InSelectedFolder());
    ASSERT_TRUE(tree.OnCmdMsg(ID_FOLDER_UP));
    EXPECT_EQ(SelectedPath(), "[C:]");
    EXPECT_TRUE(InSelectedFolder());
    EXPECT_TRUE(notices.isEmpty());
    EXPECT_EQ(folderChanges.size(), 5u);
}

} // namespace
