#include <unistd.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QTreeView>

#include <gtest/gtest.h>

#include <vector>

#include "app/CMainFrame.h"
#include "document/CVornDoc.h"
#include "resources/ResourceIds.h"
#include "support/FixedRoots.h"
#include "support/TempTree.h"
#include "views/CVornFormView.h"
#include "views/CVornListView.h"
#include "views/CVornTreeView.h"
#include "views/CVornView.h"

namespace {

QStringList ActionTexts(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* action : actions) {
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return texts;
}

// The main window over one test drive, C:, whose root holds a folder and a file.
class MainFrame : public ::testing::Test {
protected:
    MainFrame() : m_startFolder(testsupport::WorkingDirectory()) {
        disk.File("C/folder/inner", 2048);
        disk.File("C/file", 100);
        roots.roots = {{3, disk.Path("C")}};
        EXPECT_EQ(::chdir(disk.Path("C").c_str()), 0);
        frame = std::make_unique<CMainFrame>(&document, drives);
    }
    ~MainFrame() override {
        frame.reset();
        [[maybe_unused]] int ignored = ::chdir(m_startFolder.c_str());
    }

    void Start() {
        frame->InitialUpdateFrame();
        frame->show();
        frame->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }

    testsupport::TempTree disk;
    testsupport::FixedRoots roots;
    platform::Drives drives{roots};
    CVornDoc document;
    std::unique_ptr<CMainFrame> frame;

private:
    std::string m_startFolder;
};

TEST_F(MainFrame, AttachesThePanesInTheOrderEveryBroadcastVisits) {
    const std::vector<CView*> expected{frame->ListView(), frame->TreeView(), frame->FormView(),
                                       frame->ChartView()};
    EXPECT_EQ(document.Views(), expected);
}

TEST_F(MainFrame, NamesAndDescribesEachPaneToScreenReadersWhereItsFocusGoes) {
    QSet<QString> names;
    for (CView* pane : document.Views()) {
        QWidget* control = pane->focusProxy() ? pane->focusProxy() : pane;
        const QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(control);
        names << spoken->text(QAccessible::Name);
        EXPECT_FALSE(spoken->text(QAccessible::Description).isEmpty());
    }
    names.remove(QString());
    EXPECT_EQ(names.size(), 4);
}

TEST_F(MainFrame, SplitsTheClientAreaAsTheFirstSizesSay) {
    // Sized from the 960 x 700 client area before the bars take their share.
    Start();
    EXPECT_EQ(frame->OuterSplitter()->sizes().at(0), 960 / 3);
    EXPECT_EQ(frame->RightSplitter()->sizes().at(0), 700 * 3 / 7);
    EXPECT_EQ(frame->BottomSplitter()->sizes().at(0), 960 * 2 / 7);
    EXPECT_EQ(frame->OuterSplitter()->widget(0), frame->TreeView());
    EXPECT_EQ(frame->RightSplitter()->widget(0), frame->ListView());
    EXPECT_EQ(frame->BottomSplitter()->widget(0), frame->FormView());
    EXPECT_EQ(frame->BottomSplitter()->widget(1), frame->ChartView());
}

TEST_F(MainFrame, EnablesDeleteOnlyWhileTheContentsListIsActive) {
    Start();
    EXPECT_FALSE(frame->IsCommandEnabled(ID_DELETE_ITEMS));
    for (unsigned id : {unsigned(ID_FOLDER_UP), unsigned(ID_REFRESH_CURRENT),
                        unsigned(ID_REFRESH_DRIVES), unsigned(ID_VIEW_TOOLBAR)}) {
        EXPECT_TRUE(frame->IsCommandEnabled(id)) << id;
    }
    QTreeView* list = frame->ListView()->GetListCtrl();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(frame->GetActiveView(), frame->ListView());
    EXPECT_TRUE(frame->IsCommandEnabled(ID_DELETE_ITEMS));
    for (QWidget* pane : std::vector<QWidget*>{frame->FormView(), frame->ChartView()}) {
        QTest::mouseClick(pane, Qt::LeftButton);
        EXPECT_FALSE(frame->IsCommandEnabled(ID_DELETE_ITEMS));
        EXPECT_TRUE(frame->IsCommandEnabled(ID_FOLDER_UP));
    }
}

TEST_F(MainFrame, HasTheMenuToolbarAndStatusBarOfItsResources) {
    const QList<QAction*> popups = frame->menuBar()->actions();
    ASSERT_EQ(popups.size(), 3);
    EXPECT_EQ(ActionTexts(popups), (QStringList{"ﾒｲﾝ(&M)", "表示(&V)", "ﾍﾙﾌﾟ(&H)"}));
    EXPECT_EQ(ActionTexts(popups[0]->menu()->actions()),
              (QStringList{"１つ上のﾌｫﾙﾀﾞへ移動(&U)", "-", "削除(&D)", "-", "Vornの終了(&X)"}));
    EXPECT_EQ(ActionTexts(popups[1]->menu()->actions()),
              (QStringList{"ﾂｰﾙ ﾊﾞｰ(&T)", "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", "-", "ﾄﾞﾗｲﾌﾞを更新(&D)",
                           "ｶﾚﾝﾄの情報を更新(&C)"}));
    EXPECT_EQ(ActionTexts(popups[2]->menu()->actions()), QStringList{"ﾊﾞｰｼﾞｮﾝ情報(&A)..."});

    const QToolBar* toolBar = frame->findChild<QToolBar*>();
    ASSERT_NE(toolBar, nullptr);
    QStringList tips;
    for (const QAction* action : toolBar->actions()) {
        tips << (action->isSeparator() ? QStringLiteral("-") : action->toolTip());
    }
    EXPECT_EQ(tips, (QStringList{"ﾄﾞﾗｲﾌﾞを更新", "ｶﾚﾝﾄの情報を更新", "-", "１つ上のﾌｫﾙﾀﾞへ移動",
                                 "-", "削除", "-", "ﾊﾞｰｼﾞｮﾝ情報"}));
    EXPECT_EQ(toolBar->actions().at(5)->statusTip(), "ﾌｫﾙﾀﾞ及びﾌｧｲﾙを削除します。");

    EXPECT_EQ(frame->windowTitle(), "Vorn - Version 1.0");
    Start();
    EXPECT_EQ(frame->IdleMessageLabel()->text(), "ﾚﾃﾞｨ");
    EXPECT_TRUE(frame->statusBar()->currentMessage().isEmpty());
    // One message pane and no indicator panes.
    EXPECT_EQ(frame->statusBar()->findChildren<QLabel*>().size(), 1);
}

TEST_F(MainFrame, DisabledMenuItemsShowTheirPromptsWhenHighlighted) {
    Start(); // the tree is active: "削除(&D)" is disabled
    QTest::keyClick(frame.get(), Qt::Key_M, Qt::AltModifier);
    QMenu* menu = frame->menuBar()->actions().at(0)->menu();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QAction* deleteItem = menu->actions().at(2);
    ASSERT_FALSE(deleteItem->isEnabled());

    QTest::keyClick(menu, Qt::Key_Down);
    EXPECT_EQ(menu->activeAction(), deleteItem);
    EXPECT_EQ(frame->statusBar()->currentMessage(), "ﾌｫﾙﾀﾞ及びﾌｧｲﾙを削除します。");
    // Drawn highlighted: the keyboard shows where it stands.
    const QImage shown = menu->grab().toImage();
    const QPoint inside = menu->actionGeometry(deleteItem).topLeft() + QPoint(3, 3);
    EXPECT_EQ(QColor(shown.pixel(inside)),
              menu->palette().color(QPalette::Disabled, QPalette::Highlight));

    QTest::keyClick(menu, Qt::Key_Up);
    ASSERT_NE(frame->statusBar()->currentMessage(), "ﾌｫﾙﾀﾞ及びﾌｧｲﾙを削除します。");
    for (int step = 0; step < 8; ++step) {
        QTest::mouseMove(menu, menu->actionGeometry(deleteItem).center() + QPoint(step, 0));
    }
    EXPECT_EQ(menu->activeAction(), deleteItem);
    EXPECT_EQ(frame->statusBar()->currentMessage(), "ﾌｫﾙﾀﾞ及びﾌｧｲﾙを削除します。");
}

} // namespace
