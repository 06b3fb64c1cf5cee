#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QSplitter>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/CFrameWnd.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"

namespace {

constexpr unsigned kShared = 0;   // every pane handles it
constexpr unsigned kListOnly = 1; // only the list handles it
constexpr unsigned kAppCommand = 2;

// Logs its name for each command it runs.
class Pane : public CView {
public:
    Pane(std::vector<std::string>& log, const std::string& name) {
        MapCommand(kShared, [&log, name] { log.push_back(name); });
        if (name == "list") {
            MapCommand(kListOnly, [&log] { log.push_back("list only"); });
        }
    }
    QLineEdit* editor = new QLineEdit(this);
};

class TestApp : public CWinApp {
public:
    explicit TestApp(std::vector<std::string>& log) {
        MapCommand(kAppCommand, [&log] { log.push_back("app"); });
    }
    bool InitInstance() override { return true; }
};

class Routing : public ::testing::Test {
protected:
    Routing() {
        auto* panes = new QSplitter(&frame);
        panes->addWidget(list);
        panes->addWidget(tree);
        frame.setCentralWidget(panes);
        for (unsigned id : {kShared, kListOnly, kAppCommand}) {
            actions.push_back(new QAction(&frame));
            frame.AddCommandAction(id, actions.back());
        }
        frame.show();
        frame.activateWindow();
    }

    std::vector<std::string> log;
    TestApp app{log};
    CFrameWnd frame;
    Pane* list = new Pane(log, "list");
    Pane* tree = new Pane(log, "tree");
    std::vector<QAction*> actions;
};

TEST_F(Routing, CommandsGoToThePaneWithTheFocusAndEnableWithIt) {
    for (Pane* pane : {tree, list}) {
        pane->editor->setFocus();
        QApplication::processEvents();
        EXPECT_EQ(frame.GetActiveView(), pane);
        EXPECT_EQ(actions[kListOnly]->isEnabled(), pane == list) << "only the list handles it";
        EXPECT_TRUE(actions[kAppCommand]->isEnabled()) << "the application ends the route";
        for (QAction* action : actions) {
            action->trigger();
        }
    }
    EXPECT_EQ(log, (std::vector<std::string>{"tree", "app", "list", "list only", "app"}));
}

TEST_F(Routing, DisabledFrameCannotBeClosed) {
    frame.setEnabled(false);
    EXPECT_FALSE(frame.close());
    frame.setEnabled(true);
    EXPECT_TRUE(frame.close());
}

} // namespace
