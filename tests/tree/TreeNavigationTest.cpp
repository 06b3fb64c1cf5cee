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
    const struct {
        long ordinal;
        const char* name;
        const char* opened;
    } requests[] = {{alpha, "alpha", "[C:]/top/alpha"}, {beta, "beta", "[C:]/top/beta"},
                    {beta, "alpha", "[C:]/top/alpha"},  {alpha, "beta", "[C:]/top/beta"},
                    {alpha, "gone", nullptr},           {7, "gone", nullptr}};
    for (const auto& request : requests) {
        Click("[C:]/top");
        folderChanges.clear();
        notices.clear();
        FolderRequest folder(request.name);
        document.UpdateAllViews(&list, request.ordinal, &folder);
        // Not found, the other panes are told to show the current folder again.
        EXPECT_EQ(folderChanges,
                  std::vector<std::string>{request.opened ? request.opened : "[C:]/top"});
        EXPECT_EQ(notices, request.opened ? QStringList() : QStringList{"CFolderNotFoundDlg()"});
    }
}

} // namespace
