#include <QStringList>

#include <ostream>

#include "TreeViewFixture.h"
#include "document/Hints.h"
#include "views/FolderTreeItem.h"

namespace {

using TreeStartUp = TreeViewFixture;

TEST_F(TreeStartUp, ListsUsableDrivesInLetterOrderAndSelectsTheStartDriveWithItsFolders) {
    UseDrives("CDE");
    disk.Folder("D/one");
    disk.Folder("D/two");
    disk.Folder("D/.cache");
    disk.File("D/file.txt", 10);
    disk.Folder("C/elsewhere");
    StartIn(Root('D'));

    // The start drive's item is added last, so only sorted insertion puts it between.
    EXPECT_EQ(Texts(""), (QStringList{"[C:]", "[D:]", "[E:]"}));
    EXPECT_EQ(Item("[C:]")->ItemData(), 3);
    EXPECT_EQ(Item("[D:]")->ItemData(), 4);
    EXPECT_EQ(Item("[E:]")->ItemData(), 5);
    EXPECT_EQ(SelectedPath(), "[D:]");
    EXPECT_TRUE(Item("[D:]")->isExpanded());
    EXPECT_FALSE(Item("[C:]")->isExpanded());
    EXPECT_EQ(Texts("[D:]"), (QStringList{"one", "two"}));
    EXPECT_TRUE(Texts("[C:]").isEmpty());

    const std::vector<SpyView::Update> told = spy.WithSender();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].sender, &tree);
    EXPECT_EQ(told[0].hint, HINT_CURRENT_FOLDER_CHANGED);
    EXPECT_FALSE(told[0].hasObject);
    EXPECT_EQ(folderChanges, std::vector<std::string>{"[D:]"});
    EXPECT_TRUE(notices.isEmpty());
    EXPECT_TRUE(InSelectedFolder());
}

TEST_F(TreeStartUp, StartedInASubFolderSelectsItsDriveAndMakesTheRootCurrent) {
    UseDrives("CD");
    disk.Folder("D/sub/deeper");
    disk.Folder("D/other");
    StartIn(Root('D') + "/sub/deeper");

    EXPECT_EQ(SelectedPath(), "[D:]");
    EXPECT_EQ(Texts("[D:]"), (QStringList{"other", "sub"}));
    EXPECT_EQ(folderChanges, std::vector<std::string>{"[D:]"});
    EXPECT_TRUE(InSelectedFolder());
}

} // namespace

namespace {

struct StartFolderCase {
    const char* name;
    const char* given; // from the working directory, the root of drive C
    const char* selected;
    bool found;
};

// Names the case in the test's name rather than dumping its bytes.
void PrintTo(const StartFolderCase& start, std::ostream* out) {
    *out << start.name;
}

class TreeStartFolder : public TreeViewFixture,
                        public ::testing::WithParamInterface<StartFolderCase> {};

TEST_P(TreeStartFolder, SelectsTheFolderAsIfClickedDownToOrStartsPlainlyWithTheNotice) {
    UseDrives("CD");
    disk.Folder("C/here/below");
    disk.File("C/file.txt", 10);
    disk.Folder("D/sub/deeper");
    disk.Folder("D/sub/.hidden");
    disk.Folder("outside");
    disk.Link("C/away", Root('D') + "/sub");
    const StartFolderCase& start = GetParam();
    StartIn(Root('C'), start.given);

    EXPECT_EQ(SelectedPath(), start.selected);
    EXPECT_EQ(folderChanges, std::vector<std::string>{start.selected});
    EXPECT_TRUE(InSelectedFolder());
    if (start.found) {
        EXPECT_TRUE(notices.isEmpty());
        for (const QTreeWidgetItem* above = Item(start.selected)->parent(); above;
             above = above->parent()) {
            EXPECT_TRUE(above->isExpanded()) << above->text(0).toStdString();
        }
    } else {
        EXPECT_EQ(notices, QStringList{QStringLiteral("CFolderNotFoundDlg(%1)").arg(start.given)});
        // Nothing listed on a way down that failed stays.
        EXPECT_TRUE(Texts("[D:]").isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Given, TreeStartFolder,
    ::testing::Values(StartFolderCase{"Relative", "here/below", "[C:]/here/below", true},
                      StartFolderCase{"OnAnotherDrive", "../D/sub", "[D:]/sub", true},
                      StartFolderCase{"ThroughALink", "away/deeper", "[D:]/sub/deeper", true},
                      StartFolderCase{"DriveRoot", "../D", "[D:]", true},
                      StartFolderCase{"Missing", "here/gone", "[C:]", false},
                      StartFolderCase{"AFile", "file.txt", "[C:]", false},
                      StartFolderCase{"OnNoDrive", "../outside", "[C:]", false},
                      StartFolderCase{"BelowAFolderTheTreeHides", "../D/sub/.hidden", "[C:]",
                                      false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
