#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QSplitter>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CView.h"

namespace {

constexpr unsigned kShared = 0;   // every pane handles it
constexpr unsigned kListOnly = 1; // only the list handles it

// Logs its name for each command it runs, and for each update its name, "<" when the update has
// a sender, and the hint.
class Pane : public CView {
public:
    Pane(std::string name, std::vector<std::string>& log, QWidget* parent = nullptr)
        : CView(parent), m_name(std::move(name)), m_log(log) {
        MapCommand(kShared, [this] { m_log.push_back(m_name); });
        if (m_name == "list") {
            MapCommand(kListOnly, [this] { m_log.push_back("list only"); });
        }
    }

    void OnUpdate(CView* pSender, long lHint, CObject*) override {
        m_log.push_back(m_name + (pSender ? "<" : "") + std::to_string(lHint));
        if (reaction) {
            std::exchange(reaction, nullptr)();
        }
    }

    std::function<void()> reaction; // run on the next update only
    QLineEdit* editor = new QLineEdit(this);

private:
    std::string m_name;
    std::vector<std::string>& m_log;
};

TEST(Broadcast, VisitsTheViewsLeftInAttachOrderButTheSenderANestedBroadcastFirst) {
    std::vector<std::string> log;
    CDocument document;
    Pane list{"list", log}, tree{"tree", log}, form{"form", log}, chart{"chart", log};
    auto* late = new Pane("late", log);
    for (Pane* view : {&list, &tree, &form, &chart, late}) {
        view->AttachDocument(&document);
    }
    // The tree answers a request by announcing a new folder; the list takes a view away.
    tree.reaction = [&document, &tree] { document.UpdateAllViews(&tree, 0); };
    list.reaction = [late] { delete late; };
    document.UpdateAllViews(nullptr, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"list1", "tree1", "list<0", "form<0", "chart<0",
                                             "form1", "chart1"}));
}

TEST(Routing, CommandsGoToThePaneWithTheFocusAndEnableWithItAndABusyFrameStaysOpen) {
    std::vector<std::string> log;
    CFrameWnd frame;
    auto* panes = new QSplitter(&frame);
    auto* list = new Pane("list", log, panes);
    auto* tree = new Pane("tree", log, panes);
    frame.setCentralWidget(panes);
    QAction* actions[] = {new QAction(&frame), new QAction(&frame)};
    for (unsigned id : {kShared, kListOnly}) {
        frame.AddCommandAction(id, actions[id]);
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
