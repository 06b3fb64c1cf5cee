#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <vector>

#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"

namespace {

constexpr unsigned kShared = 1;   // every pane handles it
constexpr unsigned kListOnly = 2; // only the list pane handles it
constexpr unsigned kAppCommand = 3;

class Pane : public CView {
public:
    Pane(std::vector<unsigned>& log, bool handlesListOnly) {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(editor = new QLineEdit(this));
        MapCommand(kShared, [this, &log] { log.push_back(kShared + 10 * id); });
        if (handlesListOnly) {
            MapCommand(kListOnly, [&log] { log.push_back(kListOnly); });
        }
    }
    QLineEdit* editor;
    unsigned id = 0;
};

class TestApp : public CWinApp {
public:
    explicit TestApp(std::vector<unsigned>& log) {
        MapCommand(kAppCommand, [&log] { log.push_back(kAppCommand); });
    }
    bool InitInstance() override { return true; }
};

class Routing : public ::testing::Test {
protected:
    Routing() {
        auto* central = new QWidget(&frame);
        auto* layout = new QVBoxLayout(central);
        list = new Pane(log, true);
        tree = new Pane(log, false);
        list->id = 1;
        tree->id = 2;
        layout->addWidget(list);
        layout->addWidget(tree);
        frame.setCentralWidget(central);
        frame.SetDocument(&document);
        for (unsigned id : {kShared, kListOnly, kAppCommand}) {
            actions.push_back(new QAction(&frame));
            frame.AddCommandAction(id, actions.back());
        }
        frame.show();
        frame.activateWindow();
    }

    std::vector<unsigned> log;
    TestApp app{log};
    CDocument document;
    CFrameWnd frame;
    Pane* list;
    Pane* tree;
    std::vector<QAction*> actions;
};

TEST_F(Routing, CommandsGoToTheActiveViewAndEnableWithIt) {
    frame.SetActiveView(tree);
    EXPECT_TRUE(actions[0]->isEnabled());
    EXPECT_FALSE(actions[1]->isEnabled()) << "no object on the route handles it";
    EXPECT_TRUE(actions[2]->isEnabled()) << "the application ends the route";
    actions[0]->trigger();
    actions[1]->trigger();
    actions[2]->trigger();
    frame.SetActiveView(list);
    EXPECT_TRUE(actions[1]->isEnabled());
    actions[0]->trigger();
    actions[1]->trigger();
    EXPECT_EQ(log, (std::vector<unsigned>{21, kAppCommand, 11, kListOnly}));
}

TEST_F(Routing, FocusInsideAPaneMakesItActive) {
    frame.SetActiveView(tree);
    list->editor->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(frame.GetActiveView(), list);
    EXPECT_TRUE(actions[1]->isEnabled());
    tree->editor->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(frame.GetActiveView(), tree);
    EXPECT_FALSE(actions[1]->isEnabled());
}

TEST_F(Routing, DisabledFrameCannotBeClosed) {
    frame.setEnabled(false);
    EXPECT_FALSE(frame.close());
    frame.setEnabled(true);
    EXPECT_TRUE(frame.close());
}

} // namespace
