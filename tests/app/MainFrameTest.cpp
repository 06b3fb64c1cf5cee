#include <unistd.h>

#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include "app/CMainFrame.h"
#include "app/CVornApp.h"
#include "dialogs/CFolderNotFoundDlg.h"
#include "dialogs/CProgressDlg.h"
#include "support/FixedRoots.h"
#include "support/ModalAnswerer.h"
#include "support/TempTree.h"
#include "views/CVornListView.h"
#include "views/CVornTreeView.h"

namespace {

// The main window as the application opens it, over two test drives: C:, the working
// directory, and D:, which holds the folder given on the command line.
TEST(MainFrame, OpensCentredOnTheScreenAtTheFolderGivenWithTheTreeActiveAndEveryCommandDescribed) {
    testsupport::TempTree disk;
    disk.Folder("C");
    disk.File("D/folder/inner", 2048);
    testsupport::FixedRoots roots;
    roots.roots = {{3, disk.Path("C")}, {4, disk.Path("D")}};
    platform::Drives drives{roots};
    ASSERT_EQ(::chdir(disk.Path("C").c_str()), 0);
    CVornApp app(drives, "../D/folder");
    ASSERT_TRUE(app.InitInstance());
    auto* frame = static_cast<CMainFrame*>(app.MainFrame());

    // In the middle of the screen and wholly on it, each side as long as given or, where the
    // screen is smaller (a second run is at twice the scale), as long as the screen; the panes'
    // first sizes are shares of that.
    const QRect screen = frame->screen()->availableGeometry();
    EXPECT_LE((screen.center() - frame->frameGeometry().center()).manhattanLength(), 1);
    EXPECT_TRUE(screen.contains(frame->frameGeometry()));
    EXPECT_TRUE(frame->width() == 960 || frame->frameGeometry().width() == screen.width());
    EXPECT_TRUE(frame->height() == 700 || frame->frameGeometry().height() == screen.height());
    EXPECT_EQ(frame->TreeView()->width(), frame->width() / 3);
    EXPECT_EQ(frame->ListView()->height(), frame->height() * 3 / 7);
    EXPECT_EQ(frame->GetActiveView(), frame->TreeView());
    // A notice over the window dragged half off the screen stays on the screen.
    frame->move(screen.bottomRight() - QPoint(100, 100));
    const testsupport::ModalAnswerer answerer([&screen](CDialog& notice) {
        EXPECT_TRUE(screen.contains(notice.frameGeometry()));
        notice.close();
    });
    CFolderNotFoundDlg().DoModal();
    // The progress dialog disables the window it belongs to, but not itself.
    {
        CProgressDlg progress;
        progress.Create();
        EXPECT_TRUE(progress.isEnabled() && !frame->isEnabled());
    }
    ASSERT_EQ(frame->ListView()->RowCount(), 1);
    EXPECT_EQ(frame->ListView()->Row(0).name, "inner");

    // A button's tip is the name of its menu item; the status bar's prompt is a sentence of its
    // own.
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

    // The keyboard stops on a disabled item too, and tells what it would do: with the tree
    // active the delete item is disabled.
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
