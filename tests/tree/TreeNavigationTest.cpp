#include "TreeViewFixture.h"
#include "document/FolderRequest.h"
#include "resources/ResourceIds.h"

namespace {

using TreeNavigation = TreeViewFixture;

TEST_F(TreeNavigation, FolderUpAndRefreshComeAsCommandsOrAsHintsFromAnotherPane) {
    UseDrives("C");
    disk.Folder("C/a/b/c");
    StartIn(Root('C'));
    Click("[C:]/a");
    Click("[C:]/a/b");
    ASSERT_TRUE(tree.OnCmdMsg(ID_FOLDER_UP));
    EXPECT_TRUE(Texts("[C:]/a/b").isEmpty());
    disk.Folder("C/a/new");
    // As the other panes send them.
    document.UpdateAllViews(nullptr, HINT_REFRESH_CURRENT);
    EXPECT_EQ(Texts("[C:]/a"), (QStringList{"b", "new"}));
    document.UpdateAllViews(nullptr, HINT_FOLDER_UP);
    // At the drive's root going up does nothing.
    ASSERT_TRUE(tree.OnCmdMsg(ID_FOLDER_UP));
    document.UpdateAllViews(nullptr, HINT_FOLDER_UP);
    EXPECT_TRUE(InSelectedFolder());

    // A refresh names each level that vanished while the selection climbs.
    Click("[C:]/a");
    Click("[C:]/a/b");
    Remove("C/a");
    ASSERT_TRUE(tree.OnCmdMsg(ID_REFRESH_CURRENT));
    EXPECT_EQ(notices, (QStringList{"CFolderNotFoundDlg(b)", "CFolderNotFoundDlg(a)"}));
    EXPECT_TRUE(Texts("[C:]").isEmpty());
    EXPECT_EQ(folderChanges,
              (std::vector<std::string>{"[C:]", "[C:]/a", "[C:]/a/b", "[C:]/a", "[C:]/a", "[C:]",
                                        "[C:]/a", "[C:]/a/b", "[C:]"}));
}

TEST_F(TreeNavigation, OpenRequestTakesTheChildOfTheOrdinalIfItHasTheNameElseTheNamedOne) {
    UseDrives("C");
    disk.Folder("C/top/alpha");
    disk.Folder("C/top/beta");
    StartIn(Root('C'));
    Click("[C:]/top");
    const long alpha = Item("[C:]/top/alpha")->ItemData();
    const long beta = Item("[C:]/top/beta")->ItemData();
    // One of the two ordinals is 1, the folder-up hint's number. A name of a child at another
    // ordinal means the folder changed between the list's reading and the tree's.
    const std::pair<long, std::string> requests[] = {
        {alpha, "alpha"}, {beta, "beta"}, {beta, "alpha"}, {alpha, "beta"}, {alpha, "gone"}};
    for (const auto& [ordinal, name] : requests) {
        Click("[C:]/top");
        folderChanges.clear();
        notices.clear();
        FolderRequest request(name);
        document.UpdateAllViews(&list, ordinal, &request);
        // Not found, the other panes are told to show the current folder again.
        const bool found = name != "gone";
        EXPECT_EQ(folderChanges, std::vector{"[C:]/top" + (found ? "/" + name : "")});
        EXPECT_EQ(notices, found ? QStringList() : QStringList{"CFolderNotFoundDlg()"});
    }
}

} // namespace
