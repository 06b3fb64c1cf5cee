#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CVornApp.h"
#include "platform/DriveTableSeam.h"
#include "support/TempTree.h"
#include "views/CVornListView.h"
#include "views/CVornTreeView.h"
#include "views/FolderTreeCtrl.h"
#include "views/FolderTreeItem.h"

namespace {

class MainFrameStartUp : public ::testing::Test {
protected:
    MainFrameStartUp() : m_startDirectory(testsupport::WorkingDirectory()) {}
    ~MainFrameStartUp() override {
        [[maybe_unused]] const int ignored = ::chdir(m_startDirectory.c_str());
        platform::UseSystemDrives();
    }

    testsupport::TempTree disk;

private:
    std::string m_startDirectory;
};

TEST_F(MainFrameStartUp, EveryPaneShowsTheStartDriveRootBeforeTheFirstPaint) {
    disk.File("C/big/data", 3000);
    disk.File("C/small.txt", 10);
    disk.Folder("D/elsewhere");
    platform::UseTestDrives({{3, disk.Path("C")}, {4, disk.Path("D")}});
    ASSERT_EQ(::chdir(disk.Path("C/big").c_str()), 0);

    CVornApp app;
    ASSERT_TRUE(app.InitInstance());
    const auto* frame = static_cast<const CMainFrame*>(app.MainFrame());

    const CVornListView& list = *frame->ListView();
    std::vector<std::string> names;
    for (int row = 0; row < list.RowCount(); ++row) {
        names.push_back(list.Row(row).name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"big", "small.txt"}));
    const FolderTreeItem* selected = frame->TreeView()->GetTreeCtrl().GetSelectedItem();
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(selected->text(0), "[C:]");
    EXPECT_EQ(frame->GetActiveView(), frame->TreeView());
    EXPECT_EQ(testsupport::WorkingDirectory(), disk.Path("C"));
}

} // namespace
