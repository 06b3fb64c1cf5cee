#include "ProgressBarRecorder.h"
#include "TreeViewFixture.h"
#include "resources/ResourceIds.h"

namespace {

using TreeDriveRefresh = TreeViewFixture;

TEST_F(TreeDriveRefresh, KeepsUsableDrivesAsTheyWereAddsNewOnesAndDropsGoneOnesQuietly) {
    UseDrives("CDEF");
    disk.Folder("C/a/b");
    disk.Folder("D/x");
    StartIn(Root('C'));
    Click("[D:]");
    Click("[C:]/a");
    Remove("E");

    ProgressBarRecorder recorder;
    ASSERT_TRUE(tree.OnCmdMsg(ID_REFRESH_DRIVES));
    // A step of 10 for each drive number and one past the last item, as it is not "[Z:]".
    EXPECT_EQ(recorder.values.size(), 27u);
    EXPECT_EQ(recorder.values.back(), 270);
    EXPECT_EQ(Texts(""), (QStringList{"[C:]", "[D:]", "[F:]"}));
    EXPECT_TRUE(Item("[C:]")->isExpanded());
    EXPECT_FALSE(Item("[D:]")->isExpanded());
    EXPECT_EQ(Texts("[C:]/a"), QStringList{"b"});
    EXPECT_EQ(Texts("[D:]"), QStringList{"x"});
    // Testing drives went through every drive; the selected folder is current again.
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

} // namespace
