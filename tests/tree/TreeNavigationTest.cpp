#include <QStringList>

#include "TreeViewFixture.h"
#include "document/Hints.h"
#include "resources/ResourceIds.h"
#include "views/FolderTreeItem.h"

namespace {

// Going up arrives as the tree's own command, or as hint 1 from whichever other pane is active.
enum class UpRoute { OwnCommand, HintFromAnotherPane };

class TreeFolderUp : public TreeViewFixture, public ::testing::WithParamInterface<UpRoute> {
protected:
    void GoUp() {
        if (GetParam() == UpRoute::OwnCommand) {
            ASSERT_TRUE(tree.OnCmdMsg(ID_FOLDER_UP));
        } else {
            document.UpdateAllViews(nullptr, HINT_FOLDER_UP);
        }
    }
};

INSTANTIATE_TEST_SUITE_P(Routes, TreeFolderUp,
                         ::testing::Values(UpRoute::OwnCommand, UpRoute::HintFromAnotherPane));

TEST_P(TreeFolderUp, FromAFolderSelectsTheParentAndListsItAgain) {
    UseDrives("C");
    disk.Folder("C/a/b/c");
    StartIn(Root('C'));
    Click("[C:]/a");
    Click("[C:]/a/b");

    GoUp();
    EXPECT_EQ(SelectedPath(), "[C:]/a");
    EXPECT_EQ(Texts("[C:]/a"), QStringList{"b"});
    EXPECT_TRUE(Texts("[C:]/a/b").isEmpty());
    EXPECT_TRUE(InSelectedFolder());
    GoUp();
    EXPECT_EQ(SelectedPath(), "[C:]");
    EXPECT_EQ(folderChanges,
              (std::vector<std::string>{"[C:]", "[C:]/a", "[C:]/a/b", "[C:]/a", "[C:]"}));
    EXPECT_TRUE(notices.isEmpty());
    EXPECT_TRUE(InSelectedFolder());
}

TEST_P(TreeFolderUp, FromADriveRootDoesNothing) {
    UseDrives("CD");
    disk.Folder("D/a");
    StartIn(Root('C'));
    Click("[D:]");
    const std::size_t updates = spy.updates.size();

    GoUp();
    EXPECT_EQ(SelectedPath(), "[D:]");
    EXPECT_EQ(Texts("[D:]"), QStringList{"a"});
    EXPECT_EQ(spy.WithSender().size(), 2u);
    EXPECT_EQ(spy.updates.size(), updates + (GetParam() == UpRoute::OwnCommand ? 0 : 1));
    EXPECT_TRUE(notices.isEmpty());
    EXPECT_TRUE(InSelectedFolder());
}

// The selected folder "top" holds two folders that the enumeration returns capital first.
class TreeOpenRequest : public TreeViewFixture {
protected:
    void SetUp() override {
        UseDrives("C");
        disk.Folder("C/top");
        capital = MakeFoldersListedAgainstDisplayOrder(Root('C') + "/top");
        ASSERT_FALSE(capital.empty()) << "no name is listed before \"alpha\"";
        StartIn(Root('C'));
        Click("[C:]/top");
        folderChanges.clear();
    }

    std::string capital;
};

TEST_F(TreeOpenRequest, ChildrenShowAlphabeticallyAndKeepTheirEnumerationOrdinals) {
    EXPECT_EQ(Texts("[C:]/top"), (QStringList{"alpha", QString::fromStdString(capital)}));
    EXPECT_EQ(ItemData("[C:]/top"), (std::vector<long>{1, 0}));
}

TEST_F(TreeOpenRequest, OrdinalOneOpensThatFolderAndDoesNotGoUp) {
    Request(1, "alpha");
    EXPECT_EQ(SelectedPath(), "[C:]/top/alpha");
    EXPECT_TRUE(Item("[C:]/top")->isExpanded());
    EXPECT_EQ(folderChanges, std::vector<std::string>{"[C:]/top/alpha"});
    EXPECT_TRUE(notices.isEmpty());
    EXPECT_TRUE(InSelectedFolder());
}

TEST_F(TreeOpenRequest, OrdinalOfAnotherNameOpensTheChildOfTheRequestedName) {
    // The folder changed between the list's reading and the tree's: the name decides.
    Request(0, "alpha");
    EXPECT_EQ(SelectedPath(), "[C:]/top/alpha");
    Click("[C:]/top");
    Request(1, capital);
    EXPECT_EQ(SelectedPath(), "[C:]/top/" + capital);
    EXPECT_TRUE(notices.isEmpty());
    EXPECT_TRUE(InSelectedFolder());
}

TEST_F(TreeOpenRequest, NeitherOrdinalNorNameGivesTheEmptyNoticeAndChangesNothing) {
    const std::string workingDirectory = testsupport::WorkingDirectory();
    Request(7, "gone");
    Request(0, "gone");
    EXPECT_EQ(notices, (QStringList{"CFolderNotFoundDlg()", "CFolderNotFoundDlg()"}));
    // The other panes are told to show the current folder again.
    EXPECT_EQ(folderChanges, (std::vector<std::string>{"[C:]/top", "[C:]/top"}));
    EXPECT_EQ(SelectedPath(), "[C:]/top");
    EXPECT_EQ(testsupport::WorkingDirectory(), workingDirectory);
    EXPECT_TRUE(InSelectedFolder());
}

} // namespace
