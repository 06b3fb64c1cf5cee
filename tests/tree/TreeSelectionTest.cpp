#include <filesystem>

#include "TreeViewFixture.h"
#include "resources/ResourceIds.h"
#include "views/DisplayName.h"

namespace {

using TreeSelection = TreeViewFixture;

TEST_F(TreeSelection, ClickingEntersTheFolderByItsBytesFromItsDrivesRootAndListsItsFolders) {
    UseDrives("CD");
    // A name that is not UTF-8, and "\", which alone would name the drive's root.
    for (const char* folder : {"C/a/b", "C/a/c", "C/caf\xe9/in", "C/\\/in"}) {
        disk.Folder(folder);
    }
    disk.File("C/a/file", 5);
    StartIn(Root('C'));

    Click("[C:]/a");
    EXPECT_EQ(Texts("[C:]/a"), (QStringList{"b", "c"}));
    EXPECT_FALSE(Item("[C:]/a")->isExpanded());
    Click("[C:]/a/c");
    Click("[D:]");
    Click("[C:]/a/b"); // drive C still stands in a/c
    // Only the left button chooses a folder; collapsing an ancestor of the selection selects it.
    Click("[C:]/a/c", Qt::RightButton);
    Click("[C:]/a/c", Qt::MiddleButton);
    tree.GetTreeCtrl().collapseItem(Item("[C:]/a"));
    // A drive is entered at its root, whatever was current on it.
    Click("[D:]");
    Click("[C:]");
    // The drive's new listing drops the deeper level.
    EXPECT_TRUE(Texts("[C:]/a").isEmpty());
    const std::string undecodable = "[C:]/" + DisplayName("caf\xe9").toStdString();
    const std::string backslash = "[C:]/" + DisplayName("\\").toStdString();
    Click(undecodable);
    Click(backslash);
    EXPECT_EQ(Texts(backslash), QStringList{"in"});
    EXPECT_EQ(folderChanges,
              (std::vector<std::string>{"[C:]", "[C:]/a", "[C:]/a/c", "[D:]", "[C:]/a/b", "[C:]/a",
                                        "[D:]", "[C:]", undecodable, backslash}));
    EXPECT_TRUE(notices.isEmpty());
}

TEST_F(TreeSelection, FolderOfAVanishedDriveGivesBothNoticesAndTheFirstUsableDriveInstead) {
    UseDrives("CDE");
    // A walk going on after a failed drive step would find an "a" where it stands.
    for (const char* folder : {"C/a", "D/a", "E/a"}) {
        disk.Folder(folder);
    }
    StartIn(Root('C'));
    Click("[D:]");
    Click("[E:]");
    Remove("D");

    Click("[D:]/a");
    EXPECT_EQ(Texts(""), (QStringList{"[C:]", "[E:]"}));
    EXPECT_EQ(folderChanges, (std::vector<std::string>{"[C:]", "[D:]", "[E:]", "[C:]"}));
    // With no usable drive left the failed item goes with the selection, and the working
    // directory stays where it was, moved with C's folder.
    std::filesystem::rename(Root('C'), disk.Path("C-away"));
    Remove("E");
    Click("[E:]/a");
    tree.OnCmdMsg(ID_REFRESH_CURRENT);
    tree.OnCmdMsg(ID_FOLDER_UP);
    EXPECT_EQ(Texts(""), QStringList{"[C:]"});
    EXPECT_EQ(folderChanges.size(), 4u);
    EXPECT_EQ(notices, (QStringList{"CFolderNotFoundDlg(a)", "CDriveUnavailableDlg",
                                    "CFolderNotFoundDlg(a)", "CDriveUnavailableDlg"}));
    EXPECT_EQ(testsupport::WorkingDirectory(), disk.Path("C-away"));
}

} // namespace
