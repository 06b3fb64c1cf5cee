#include <unistd.h>

#include <QScreen>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ProgressBarRecorder.h"
#include "app/CMainFrame.h"
#include "app/CVornApp.h"
#include "support/FixedRoots.h"
#include "support/TempTree.h"
#include "views/CVornListView.h"
#include "views/CVornTreeView.h"
#include "views/FolderTreeCtrl.h"
#include "views/FolderTreeItem.h"

namespace {

struct StartUpCase {
    const char* name;
    std::optional<std::string> startFolder; // from the working directory, C/big
    std::vector<std::string> rows;
    const char* selected;
    const char* workingDirectory; // below the temporary tree
};

// Names the case in the test's name rather than dumping its bytes.
void PrintTo(const StartUpCase& start, std::ostream* out) {
    *out << start.name;
}

class MainFrameStartUp : public ::testing::TestWithParam<StartUpCase> {
protected:
    MainFrameStartUp() : m_startDirectory(testsupport::WorkingDirectory()) {}
    ~MainFrameStartUp() override {
        [[maybe_unused]] const int ignored = ::chdir(m_startDirectory.c_str());
    }

    testsupport::TempTree disk;

private:
    std::string m_startDirectory;
};

TEST_P(MainFrameStartUp, EveryPaneShowsTheStartFolderBeforeTheFirstPaint) {
    disk.File("C/big/data", 3000);
    disk.File("C/small.txt", 10);
    disk.Folder("D/elsewhere");
    testsupport::FixedRoots roots;
    roots.roots = {{3, disk.Path("C")}, {4, disk.Path("D")}};
    platform::Drives drives(roots);
    ASSERT_EQ(::chdir(disk.Path("C/big").c_str()), 0);

    ProgressBarRecorder recorder;
    CVornApp app(drives, GetParam().startFolder);
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
    EXPECT_EQ(names, GetParam().rows);
    const FolderTreeItem* selected = frame->TreeView()->GetTreeCtrl().GetSelectedItem();
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(selected->text(0), GetParam().selected);
    EXPECT_EQ(frame->GetActiveView(), frame->TreeView());
    EXPECT_EQ(testsupport::WorkingDirectory(), disk.Path(GetParam().workingDirectory));
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, MainFrameStartUp,
    ::testing::Values(StartUpCase{"NoFolder", std::nullopt, {"big", "small.txt"}, "[C:]", "C"},
                      StartUpCase{"FolderGiven", ".", {"data"}, "big", "C/big"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
