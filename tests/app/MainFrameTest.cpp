#include <unistd.h>

#include <QAccessible>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <optional>

#include "ProgressBarRecorder.h"
#include "app/CMainFrame.h"
#include "app/CVornApp.h"
#include "support/FixedRoots.h"
#include "support/TempTree.h"
#include "views/CVornFormView.h"
#include "views/CVornListView.h"
#include "views/CVornTreeView.h"
#include "views/CVornView.h"

namespace {

// The main window as the application opens it, over two test drives: C:, the working
// directory, and D:, which holds a folder.
class MainFrame : public ::testing::Test {
protected:
    MainFrame() {
        disk.Folder("C");
        disk.File("D/folder/inner", 2048);
        roots.roots = {{3, disk.Path("C")}, {4, disk.Path("D")}};
        EXPECT_EQ(::chdir(disk.Path("C").c_str()), 0);
    }
    ~MainFrame() override { [[maybe_unused]] int ignored = ::chdir(m_startFolder.c_str()); }

    // `startFolder` as given on the command line.
    void Open(const std::optional<std::string>& startFolder = {}) {
        app.emplace(drives, startFolder);
        ASSERT_TRUE(app->InitInstance());
        frame = static_cast<CMainFrame*>(app->MainFrame());
    }

    std::string m_startFolder = testsupport::WorkingDirectory();
    testsupport::TempTree disk;
    testsupport::FixedRoots roots;
    platform::Drives drives{roots};
    std::optional<CVornApp> app;
    CMainFrame* frame = nullptr;
};

TEST_F(MainFrame, OpensCentredWithTheTreeActiveAndEveryPaneAtTheFolderGiven) {
    ProgressBarRecorder recorder;
    Open("../D/folder");
    // The first fill's progress dialog stood centred where the window then appeared, in the
    // middle of the screen; the frame's border may move it by a few pixels.
    ASSERT_FALSE(recorder.placements.empty());
    const QPoint centre = frame->frameGeometry().center();
    EXPECT_LE((recorder.placements.front().center() - centre).manhattanLength(), 4);
    EXPECT_LE((frame->screen()->availableGeometry().center() - centre).manhattanLength(), 4);
    EXPECT_EQ(frame->GetActiveView(), frame->TreeView());
    ASSERT_EQ(frame->ListView()->RowCount(), 1);
    EXPECT_EQ(frame->ListView()->Row(0).name, "inner");
    EXPECT_EQ(testsupport::WorkingDirectory(), disk.Path("D/folder"));
}

TEST_F(MainFrame, NamesAndDescribesEachPaneToScreenReadersWhereItsFocusGoes) {
    Open();
    QSet<QString> names;
    for (QWidget* pane : std::initializer_list<QWidget*>{frame->ListView(), frame->TreeView(),
                                                         frame->FormView(), frame->ChartView()}) {
        const auto* spoken =
            QAccessible::queryAccessibleInterface(pane->focusProxy() ? pane->focusProxy() : pane);
        names << spoken->text(QAccessible::Name);
        EXPECT_FALSE(spoken->text(QAccessible::Description).isEmpty());
    }
    names.remove(QString());
    EXPECT_EQ(names.size(), 4);
}

// A button's tip is the name of its menu item; the status bar's prompt is a sentence of its own.
TEST_F(MainFrame, ToolbarButtonsTipTheNamesOfTheirMenuItems) {
    Open();
    QHash<QString, QString> menuTexts; // by prompt
    for (const QAction* popup : frame->menuBar()->actions()) {
        for (const QAction* item : popup->menu()->actions()) {
            menuTexts[item->statusTip()] = item->text();
        }
    }
    for (const QAction* button : frame->findChild<QToolBar*>()->actions()) {
        if (!button->isSeparator()) {
            EXPECT_TRUE(menuTexts.value(button->statusTip()).startsWith(button->toolTip() + "(&"))
                << button->toolTip().toStdString();
        }
    }
}

// The keyboard stops on a disabled item too, and tells what it would do.
TEST_F(MainFrame, DisabledMenuItemsCanBeHighlightedAndShowTheirPrompts) {
    Open(); // the tree is active: the delete item is disabled
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    QTest::keyClick(frame, Qt::Key_M, Qt::AltModifier);
    QMenu* menu = frame->menuBar()->actions().at(0)->menu();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QAction* deleteItem = menu->actions().at(2);
    ASSERT_FALSE(deleteItem->isEnabled());
    QTest::keyClick(menu, Qt::Key_Down);
    EXPECT_EQ(menu->activeAction(), deleteItem);
    EXPECT_EQ(frame->statusBar()->currentMessage(), deleteItem->statusTip());
}

} // namespace
