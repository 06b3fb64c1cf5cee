#include "TreeViewFixture.h"
#include "document/FolderRequest.h"
#include "resources/ResourceIds.h"

namespace {

using TreeNavigation = TreeViewFixture;

TEST_F(TreeNavigation, FolderUpByCommandOrHintSelectsTheParentUpToTheDrivesRoot) {
    UseDrives("C");
    disk.Folder("C/a/b/c");
    StartIn(Root('C'));
    Click("[C:]/a");
    Click("[C:]/a/b");

    ASSERT_TRUE(tree.OnCmdMsg(ID_FOLDER_UP));
    EXPECT_EQ(Texts("[C:]/a"), QStringList{"b"});
    EXPECT_TRUE(Texts("[C:]/a/b").isEmpty());
    // As another pane sends it; at the drive's root neither does anything.
    document.UpdateAllViews(nullptr, HINT_FOLDER_UP);
    ASSERT_TRUE(tree.OnCmdMsg(ID_FOLDER_UP));
    document.UpdateAllViews(nullptr, HINT_FOLDER_UP);
    EXPECT_EQ(folderChanges,
              (std::vector<std::string>{"[C:]", "[C:]/a", "[C:]/a/b", "[C:]/a", "[C:]"}));
    EXPECT_TRUE(InSelectedFolder());
    EXPECT_TRUE(notices.isEmpty());
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
