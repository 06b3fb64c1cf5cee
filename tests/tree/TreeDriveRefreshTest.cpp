#include <QStringList>

#include "ProgressBarRecorder.h"
#include "TreeViewFixture.h"
#include "document/Hints.h"
#include "resources/ResourceIds.h"
#include "views/FolderTreeItem.h"

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
    void RefreshDrives() {
        ProgressBarRecorder recorder;
        ASSERT_TRUE(tree.OnCmdMsg(ID_REFRESH_DRIVES));
        barValues = recorder.values;
    }

    std::vector<int> barValues;
};

TEST_F(TreeDriveRefresh, KeepsUsableDrivesWithTheirFoldersAndExpansion) {
    UseDrives("CDE");
    disk.Folder("C/a/b");
    disk.Folder("D/x");
    StartIn(Root('C'));
    Click("[D:]");
    Click("[C:]/a");
    const std::vector<std::string> changesBefore = folderChanges;

    RefreshDrives();
    EXPECT_EQ(Texts(""), (QStringList{"[C:]", "[D:]", "[E:]"}));
    EXPECT_TRUE(Item("[C:]")->isExpanded());
    EXPECT_FALSE(Item("[D:]")->isExpanded());
    EXPECT_EQ(Texts("[C:]/a"), QStringList{"b"});
    EXPECT_EQ(Texts("[D:]"), QStringList{"x"});
    EXPECT_EQ(SelectedPath(), "[C:]/a");
    // Testing drives went through every drive; the selected folder is current again.
    EXPECT_TRUE(InSelectedFolder());
    EXPECT_EQ(folderChanges, changesBefore);
    EXPECT_TRUE(notices.isEmpty());
    EXPECT_EQ(barValues, StepsUpTo(270));
}

TEST_F(TreeDriveRefresh, AddsADriveThatBecameUsableAtItsLetterCollapsedAndEmpty) {
    UseDrives("CDF");
    Remove("D");
    StartIn(Root('C'));
    ASSERT_EQ(Texts(""), (QStringList{"[C:]", "[F:]"}));
    disk.Folder("D/inside");

    // As another pane sends it.
    ProgressBarRecorder recorder;
    document.UpdateAllViews(nullptr, HINT_REFRESH_DRIVES);
    EXPECT_EQ(Texts(""), (QStringList{"[C:]", "[D:]", "[F:]"}));
    EXPECT_EQ(Item("[D:]")->ItemData(), 4);
    EXPECT_FALSE(Item("[D:]")->isExpanded());
    EXPECT_TRUE(Texts("[D:]").isEmpty());
    EXPECT_EQ(SelectedPath(), "[C:]");
    EXPECT_EQ(folderChanges, std::vector<std::string>{"[C:]"});
    EXPECT_TRUE(InSelectedFolder());
    EXPECT_EQ(recorder.values, StepsUpTo(270));
}

TEST_F(TreeDriveRefresh, DropsAGoneDriveWithoutANotice) {
    UseDrives("CDE");
    disk.Folder("D/x");
    StartIn(Root('C'));
    Click("[D:]");
    Click("[C:]");
    Remove("D");

    RefreshDrives();
    EXPECT_EQ(Texts(""), (QStringList{"[C:]", "[E:]"}));
    EXPECT_EQ(SelectedPath(), "[C:]");
    EXPECT_TRUE(notices.isEmpty());
    EXPECT_EQ(folderChanges.size(), 3u);
    EXPECT_TRUE(InSelectedFolder());
}

TEST_F(TreeDriveRefresh, MovesTheSelectionToTheFirstUsableDriveWhenItsDriveIsGone) {
    UseDrives("CDE");
    disk.Folder("E/a");
    StartIn(Root('E'));
    Click("[E:]/a");
    Remove("E");

    RefreshDrives();
    EXPECT_EQ(Texts(""), (QStringList{"[C:]", "[D:]"}));
    EXPECT_EQ(SelectedPath(), "[C:]");
    EXPECT_TRUE(notices.isEmpty());
    EXPECT_EQ(folderChanges, (std::vector<std::string>{"[E:]", "[E:]/a", "[C:]"}));
    EXPECT_TRUE(InSelectedFolder());
    EXPECT_EQ(barValues, StepsUpTo(270));
}

TEST_F(TreeDriveRefresh, BarEndsAt260WhenTheLastItemIsZ) {
    UseDrives("CZ");
    StartIn(Root('C'));
    RefreshDrives();
    EXPECT_EQ(Texts(""), (QStringList{"[C:]", "[Z:]"}));
    EXPECT_EQ(barValues, StepsUpTo(260));

    // Still the last item when the walk reaches it, though it goes.
    Remove("Z");
    RefreshDrives();
    EXPECT_EQ(Texts(""), QStringList{"[C:]"});
    EXPECT_EQ(barValues, StepsUpTo(260));
    RefreshDrives();
    EXPECT_EQ(barValues, StepsUpTo(270));
    EXPECT_TRUE(InSelectedFolder());
}

} // namespace
