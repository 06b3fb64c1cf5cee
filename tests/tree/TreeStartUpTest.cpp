#include "TreeViewFixture.h"

namespace {

using TreeStartUp = TreeViewFixture;

TEST_F(TreeStartUp, ListsUsableDrivesOnceAndTheStartDrivesFoldersAndMakesItsRootCurrent) {
    UseDrives("CDE");
    for (const char* folder : {"D/one", "D/two/deeper", "D/.cache", "C/elsewhere", "E/sub/.x"}) {
        disk.Folder(folder);
    }
    disk.File("D/file.txt", 10);
    ASSERT_EQ(::chdir(disk.Path("D/two/deeper").c_str()), 0);
    // A start folder the tree cannot reach, as it does not list the last step.
    const std::string unreachable = "../../../E/sub/.x";
    tree.SetStartFolder(unreachable);
    StartIn(".");

    // The start drive's item is added last, so only sorted insertion puts it between.
    EXPECT_EQ(Texts(""), (QStringList{"[C:]", "[D:]", "[E:]"}));
    EXPECT_TRUE(Item("[D:]")->isExpanded());
    EXPECT_FALSE(Item("[C:]")->isExpanded());
    EXPECT_EQ(Texts("[D:]"), (QStringList{"one", "two"}));
    // Nothing listed on the failed way down stays.
    EXPECT_TRUE(Texts("[C:]").isEmpty() && Texts("[E:]").isEmpty());
    // Ordinals number the listed folders from 0, as the contents list numbers its folder rows:
    // 0 and 1 here, in the order the platform enumerates them.
    EXPECT_EQ(Item("[D:]/one")->ItemData() + Item("[D:]/two")->ItemData(), 1);
    EXPECT_EQ(folderChanges, std::vector<std::string>{"[D:]"});
    EXPECT_EQ(notices,
              QStringList{QString::fromStdString("CFolderNotFoundDlg(" + unreachable + ")")});
}

} // namespace
