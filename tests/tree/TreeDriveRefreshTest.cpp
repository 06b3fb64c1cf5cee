#include "ProgressBarRecorder.h"
#include "TreeViewFixture.h"
#include "resources/ResourceIds.h"

namespace {

// The bar of the drive search: one step of 10 per value, ending at `last`.
std::vector<int> StepsUpTo(int last) {
    std::vector<int> steps;
    for (int value = 10; value <= last; value += 10) {
        steps.push_back(value);
    }
    return steps;
}

class TreeDriveRefresh : public TreeViewFixture {
protected:
    std::vector<int> RefreshDrives() {
        ProgressBarRecorder recorder;
        EXPECT_TRUE(tree.OnCmdMsg(ID_REFRESH_DRIVES));
        return recorder.values;
    }
};

TEST_F(TreeDriveRefresh, KeepsUsableDrivesAsTheyWereAddsNewOnesAndDropsGoneOnesQuietly) {
    UseDrives("CDEF");
    disk.Folder("C/a/b");
    disk.Folder("D/x");
    StartIn(Root('C'));
    Click("[D:]");
    Click("[C:]/a");
    Remove("E");

    EXPECT_EQ(RefreshDrives(), StepsUpTo(270));
    EXPECT_EQ(Texts(""), (QStringList{"[C:]", "[D:]", "[F:]"}));
    EXPECT_TRUE(Item("[C:]")->isExpanded());
    EXPECT_FALSE(Item("[D:]")->isExpanded());
    EXPECT_EQ(Texts("[C:]/a"), QStringList{"b"});
    EXPECT_EQ(Texts("[D:]"), QStringList{"x"});
    // Testing drives went through every drive; the selected folder is current again.
    EXPECT_EQ(SelectedPath(), "[C:]/a");
    EXPECT_TRUE(InSelectedFolder());

    // The selection's drive gone, the first usable one is selected; as another pane sends it.
    Remove("C");
    disk.Folder("E/inside");
    document.UpdateAllViews(nullptr, HINT_REFRESH_DRIVES);
    EXPECT_EQ(Texts(""), (QStringList{"[D:]", "[E:]", "[F:]"}));
    EXPECT_FALSE(Item("[E:]")->isExpanded());
    EXPECT_TRUE(Texts("[E:]").isEmpty());
    EXPECT_EQ(folderChanges, (std::vector<std::string>{"[C:]", "[D:]", "[C:]/a", "[D:]"}));
    EXPECT_TRUE(notices.isEmpty());
}

TEST_F(TreeDriveRefresh, BarEndsAt260WhileZIsTheLastItemAsTheSearchBegins) {
    UseDrives("CZ");
    StartIn(Root('C'));
    EXPECT_EQ(RefreshDrives(), StepsUpTo(260));
    // Still the last item when the search reaches it, though it goes.
    Remove("Z");
    EXPECT_EQ(RefreshDrives(), StepsUpTo(260));
    EXPECT_EQ(Texts(""), QStringList{"[C:]"});
    EXPECT_EQ(RefreshDrives(), StepsUpTo(270));
}

} // namespace
