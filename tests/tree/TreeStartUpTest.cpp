#include <set>

#include "TreeViewFixture.h"

namespace {

using TreeStartUp = TreeViewFixture;

TEST_F(TreeStartUp, ListsUsableDrivesOnceAndTheStartDrivesFoldersAndMakesItsRootCurrent) {
    UseDrives("CDE");
    for (const char* folder : {"D/one", "D/two/deeper", "D/.cache", "C/elsewhere"}) {
        disk.Folder(folder);
    }
    disk.File("D/file.txt", 10);
    StartIn(Root('D') + "/two/deeper");

    // The start drive's item is added last, so only sorted insertion puts it between.
    EXPECT_EQ(Texts(""), (QStringList{"[C:]", "[D:]", "[E:]"}));
    EXPECT_EQ(Item("[E:]")->ItemData(), 5);
    EXPECT_TRUE(Item("[D:]")->isExpanded());
    EXPECT_FALSE(Item("[C:]")->isExpanded());
    EXPECT_EQ(Texts("[D:]"), (QStringList{"one", "two"}));
    EXPECT_TRUE(Texts("[C:]").isEmpty());
    // Ordinals number the listed folders from 0, as the contents list numbers its folder rows.
    EXPECT_EQ((std::set{Item("[D:]/one")->ItemData(), Item("[D:]/two")->ItemData()}),
              (std::set<long>{0, 1}));
    EXPECT_EQ(folderChanges, std::vector<std::string>{"[D:]"});
    EXPECT_TRUE(notices.isEmpty());
}

// Given from the root of drive C, and the item then selected; "[C:]" is the plain start.
using StartFolder = std::pair<std::string, std::string>;
class TreeStartFolder : public TreeViewFixture,
                        public ::testing::WithParamInterface<StartFolder> {};

TEST_P(TreeStartFolder, IsSelectedAsIfClickedDownToOrNamedInTheNotice) {
    const auto& [given, selected] = GetParam();
    UseDrives("CD");
    disk.Folder("C/here/below");
    disk.Folder("D/sub/.hidden");
    StartIn(Root('C'), given);

    EXPECT_EQ(folderChanges, std::vector{selected});
    EXPECT_EQ(notices, selected == "[C:]" ? QStringList{"CFolderNotFoundDlg(" +
                                                        QString::fromStdString(given) + ")"}
                                          : QStringList());
    // Nothing listed on a way down that failed stays.
    EXPECT_EQ(Texts("[D:]").isEmpty(), selected != "[D:]/sub");
}

INSTANTIATE_TEST_SUITE_P(Given, TreeStartFolder,
                         ::testing::Values(StartFolder{"here/below", "[C:]/here/below"},
                                           StartFolder{"../D/sub", "[D:]/sub"},
                                           StartFolder{"here/gone", "[C:]"},
                                           StartFolder{"../D/sub/.hidden", "[C:]"}));

} // namespace
