#include <unistd.h>

#include <QScreen>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProgressBarRecorder.h"
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

    ProgressBarRecorder recorder;
    CVornApp app;
    ASSERT_TRUE(app.InitInstance());
    const auto* frame = static_cast<const CMainFrame*>(app.MainFrame());
    // The first fill's progress dialog stood centred where the window then appeared, in the
    // middle of the screen; the frame's border may move it by a few pixels.
    ASSERT_FALSE(recorder.placements.empty());
    const QPoint centre = frame->frameGeometry().center();
    EXPECT_LE((recorder.placements.front().center() - centre).manhattanLength(), 4);
    EXPECT_LE((frame->screen()->availableGeometry().center() - centre).manhattanLength(), 4);

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
