#include <QStringList>

#include "TreeViewFixture.h"
#include "document/Hints.h"
#include "views/FolderTreeItem.h"

namespace {

using TreeStartUp = TreeViewFixture;

TEST_F(TreeStartUp, ListsUsableDrivesInLetterOrderAndSelectsTheStartDriveWithItsFolders) {
    UseDrives("CDE");
    disk.Folder("D/one");
    disk.Folder("D/two");
    disk.Folder("D/.cache");
    disk.File("D/file.txt", 10);
    disk.Folder("C/elsewhere");
    StartIn(Root('D'));

    // The start drive's item is added last, so only sorted insertion puts it between.
    EXPECT_EQ(Texts(""), (QStringList{"[C:]", "[D:]", "[E:]"}));
    EXPECT_EQ(Item("[C:]")->ItemData(), 3);
    EXPECT_EQ(Item("[D:]")->ItemData(), 4);
    EXPECT_EQ(Item("[E:]")->ItemData(), 5);
    EXPECT_EQ(SelectedPath(), "[D:]");
    EXPECT_TRUE(Item("[D:]")->isExpanded());
    EXPECT_FALSE(Item("[C:]")->isExpanded());
    EXPECT_EQ(Texts("[D:]"), (QStringList{"one", "two"}));
    EXPECT_TRUE(Texts("[C:]").isEmpty());

    const std::vector<SpyView::Update> told = spy.WithSender();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].sender, &tree);
    EXPECT_EQ(told[0].hint, HINT_CURRENT_FOLDER_CHANGED);
    EXPECT_FALSE(told[0].hasObject);
    EXPECT_EQ(folderChanges, std::vector<std::string>{"[D:]"});
    EXPECT_TRUE(notices.isEmpty());
    EXPECT_TRUE(InSelectedFolder());
}

TEST_F(TreeStartUp, StartedInASubFolderSelectsItsDriveAndMakesTheRootCurrent) {
    UseDrives("CD");
    disk.Folder("D/sub/deeper");
    disk.Folder("D/other");
    StartIn(Root('D') + "/sub/deeper");

    EXPECT_EQ(SelectedPath(), "[D:]");
    EXPECT_EQ(Texts("[D:]"), (QStringList{"other", "sub"}));
    EXPECT_EQ(folderChanges, std::vector<std::string>{"[D:]"});
    EXPECT_TRUE(InSelectedFolder());
}

} // namespace
