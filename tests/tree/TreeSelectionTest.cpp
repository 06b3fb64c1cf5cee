#include <QStringList>
#include <QTest>

#include <filesystem>

#include "TreeViewFixture.h"
#include "document/Hints.h"
#include "resources/ResourceIds.h"
#include "views/FolderTreeCtrl.h"
#include "views/FolderTreeItem.h"

namespace {

using TreeSelection = TreeViewFixture;

TEST_F(TreeSelection, ClickingAFolderEntersItAndListsItsFoldersWithoutExpandingIt) {
    UseDrives("C");
    disk.Folder("C/a/b");
    disk.Folder("C/a/c");
    disk.File("C/a/file", 5);
    StartIn(Root('C'));

    Click("[C:]/a");
    EXPECT_EQ(SelectedPath(), "[C:]/a");
    EXPECT_EQ(Texts("[C:]/a"), (QStringList{"b", "c"}));
    EXPECT_FALSE(Item("[C:]/a")->isExpanded());
    Click("[C:]/a/c");
    EXPECT_EQ(folderChanges, (std::vector<std::string>{"[C:]", "[C:]/a", "[C:]/a/c"}));
    EXPECT_TRUE(InSelectedFolder());
}

TEST_F(TreeSelection, CollapsingAnAncestorOfTheSelectionSelectsIt) {
    UseDrives("C");
    disk.Folder("C/a/b/c");
    StartIn(Root('C'));
    Click("[C:]/a");
    Click("[C:]/a/b");
    Click("[C:]/a/b/c");
    folderChanges.clear();
    tree.GetTreeCtrl().collapseItem(Item("[C:]/a"));
    EXPECT_EQ(SelectedPath(), "[C:]/a");
    EXPECT_EQ(folderChanges, std::vector<std::string>{"[C:]/a"});
    EXPECT_TRUE(InSelectedFolder());
}

TEST_F(TreeSelection, OnlyTheLeftButtonChoosesAFolder) {
    UseDrives("C");
    disk.Folder("C/a");
    StartIn(Root('C'));
    FolderTreeCtrl& control = tree.GetTreeCtrl();
    const QPoint at = control.visualItemRect(Item("[C:]/a")).center();
    QTest::mouseClick(control.viewport(), Qt::RightButton, {}, at);
    QTest::mouseClick(control.viewport(), Qt::MiddleButton, {}, at);
    EXPECT_EQ(SelectedPath(), "[C:]");
    EXPECT_TRUE(InSelectedFolder());
}

TEST_F(TreeSelection, ClickingADriveMakesItsRootCurrentWhateverWasCurrentOnIt) {
    UseDrives("CD");
    disk.Folder("C/a");
    StartIn(Root('C'));

    Click("[C:]/a");
    Click("[D:]");
    Click("[C:]");
    EXPECT_EQ(folderChanges, (std::vector<std::string>{"[C:]", "[C:]/a", "[D:]", "[C:]"}));
    EXPECT_TRUE(InSelectedFolder());
    // The rebuilt listing of the drive drops the deeper level.
    EXPECT_TRUE(Texts("[C:]/a").isEmpty());
}

TEST_F(TreeSelection, DriveWhoseFolderWasRemovedGivesTheNoticeAndTheFirstUsableDriveInstead) {
    UseDrives("CDE");
    StartIn(Root('E'));
    Remove("D");

    Click("[D:]");
    EXPECT_EQ(notices, QStringList{"CDriveUnavailableDlg"});
    EXPECT_EQ(SelectedPath(), "[C:]");
    EXPECT_EQ(Texts(""), (QStringList{"[C:]", "[E:]"}));
    EXPECT_EQ(folderChanges, (std::vector<std::string>{"[E:]", "[C:]"}));
    EXPECT_TRUE(InSelectedFolder());
}

TEST_F(TreeSelection, FolderOfARemovedDriveIsNeverLookedForOnAnotherDrive) {
    UseDrives("CD");
    disk.Folder("C/a");
    disk.Folder("D/a");
    StartIn(Root('C'));
    Click("[D:]");
    Click("[C:]");
    Remove("C");

    Click("[C:]/a");
    EXPECT_EQ(notices, (QStringList{"CFolderNotFoundDlg(a)", "CDriveUnavailableDlg"}));
    EXPECT_EQ(SelectedPath(), "[D:]");
    EXPECT_EQ(Texts(""), QStringList{"[D:]"});
    EXPECT_EQ(folderChanges.back(), "[D:]");
    EXPECT_TRUE(InSelectedFolder());
}

TEST_F(TreeSelection, WithNoUsableDriveLeftTheFailedItemGoesAndNothingIsEntered) {
    UseDrives("CD");
    disk.Folder("C/a");
    disk.Folder("D/a");
    StartIn(Root('C'));
    Click("[D:]");
    // Both media taken out; the working directory moves along with D's folder, beside an "a"
    // that a walk going on after a failed drive step would enter.
    std::filesystem::rename(Root('C'), disk.Path("C-away"));
    std::filesystem::rename(Root('D'), disk.Path("D-away"));

    Click("[C:]/a");
    EXPECT_EQ(notices, (QStringList{"CFolderNotFoundDlg(a)", "CDriveUnavailableDlg"}));
    EXPECT_EQ(Texts(""), QStringList{"[D:]"});
    EXPECT_EQ(SelectedPath(), "");
    EXPECT_EQ(folderChanges, (std::vector<std::string>{"[C:]", "[D:]"}));
    EXPECT_EQ(testsupport::WorkingDirectory(), disk.Path("D-away"));

    // Without a selection the commands find nothing to act on.
    tree.OnCmdMsg(ID_REFRESH_CURRENT);
    tree.OnCmdMsg(ID_FOLDER_UP);
    EXPECT_EQ(folderChanges.size(), 2u);
    EXPECT_EQ(notices.size(), 2);
    EXPECT_EQ(testsupport::WorkingDirectory(), disk.Path("D-away"));
}

TEST_F(TreeSelection, RefreshWithTheParentSelectedDropsAFolderRemovedOutside) {
    UseDrives("C");
    disk.Folder("C/a");
    disk.Folder("C/b");
    StartIn(Root('C'));
    Remove("C/a");
    disk.Folder("C/new");

    ASSERT_TRUE(tree.OnCmdMsg(ID_REFRESH_CURRENT));
    EXPECT_EQ(Texts("[C:]"), (QStringList{"b", "new"}));
    EXPECT_TRUE(notices.isEmpty());
    EXPECT_EQ(folderChanges, (std::vector<std::string>{"[C:]", "[C:]"}));
    EXPECT_TRUE(InSelectedFolder());
}

TEST_F(TreeSelection, RefreshOfARemovedFolderNamesItAndSelectsTheParent) {
    UseDrives("C");
    disk.Folder("C/a/inner");
    disk.Folder("C/b");
    StartIn(Root('C'));
    Click("[C:]/a");
    Remove("C/a");

    // As another pane sends it.
    document.UpdateAllViews(nullptr, HINT_REFRESH_CURRENT);
    EXPECT_EQ(notices, QStringList{"CFolderNotFoundDlg(a)"});
    EXPECT_EQ(SelectedPath(), "[C:]");
    EXPECT_EQ(Texts("[C:]"), QStringList{"b"});
    EXPECT_EQ(folderChanges, (std::vector<std::string>{"[C:]", "[C:]/a", "[C:]"}));
    EXPECT_TRUE(InSelectedFolder());
}

TEST_F(TreeSelection, TwoVanishedLevelsGiveOneNoticeEachWhileTheSelectionClimbs) {
    UseDrives("C");
    disk.Folder("C/a/b/c");
    disk.Folder("C/keep");
    StartIn(Root('C'));
    Click("[C:]/a");
    Click("[C:]/a/b");
    Remove("C/a");

    ASSERT_TRUE(tree.OnCmdMsg(ID_REFRESH_CURRENT));
    EXPECT_EQ(notices, (QStringList{"CFolderNotFoundDlg(b)", "CFolderNotFoundDlg(a)"}));
    EXPECT_EQ(SelectedPath(), "[C:]");
    EXPECT_EQ(Texts("[C:]"), QStringList{"keep"});
    EXPECT_EQ(folderChanges.back(), "[C:]");
    EXPECT_EQ(folderChanges.size(), 4u);
    EXPECT_TRUE(InSelectedFolder());
}

} // namespace
