#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QSplitter>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/CFrameWnd.h"
#include "framework/CView.h"

namespace {

constexpr unsigned kShared = 0;   // every pane handles it
constexpr unsigned kListOnly = 1; // only the list handles it

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

TEST(Routing, CommandsGoToThePaneWithTheFocusAndEnableWithItAndABusyFrameStaysOpen) {
    std::vector<std::string> log;
    CFrameWnd frame;
    auto* list = new Pane(log, "list");
    auto* tree = new Pane(log, "tree");
    auto* panes = new QSplitter(&frame);
    panes->addWidget(list);
    panes->addWidget(tree);
    frame.setCentralWidget(panes);
    std::vector<QAction*> actions;
    for (unsigned id : {kShared, kListOnly}) {
        actions.push_back(new QAction(&frame));
        frame.AddCommandAction(id, actions.back());
    }
    frame.show();
    frame.activateWindow();
    for (Pane* pane : {tree, list}) {
        pane->editor->setFocus();
        QApplication::processEvents();
        EXPECT_EQ(actions[kListOnly]->isEnabled(), pane == list) << "only the list handles it";
        for (QAction* action : actions) {
            action->trigger();
        }
    }
    EXPECT_EQ(log, (std::vector<std::string>{"tree", "list", "list only"}));

    // A disabled frame is in a long operation, which closing would cut short.
    frame.setEnabled(false);
    EXPECT_FALSE(frame.close());
    frame.setEnabled(true);
    EXPECT_TRUE(frame.close());
}

} // namespace
