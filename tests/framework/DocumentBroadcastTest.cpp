#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/CDocument.h"
#include "framework/CView.h"

namespace {

// Logs each update it gets as its name, "<" when the update has a sender, and the hint.
class RecordingView : public CView {
public:
    RecordingView(std::string name, std::vector<std::string>& log)
        : m_name(std::move(name)), m_log(log) {}

    void OnUpdate(CView* pSender, long lHint, CObject*) override {
        m_log.push_back(m_name + (pSender ? "<" : "") + std::to_string(lHint));
        if (reaction) {
            std::exchange(reaction, nullptr)();
        }
    }

    std::function<void()> reaction; // run on the next update only

private:
    std::string m_name;
    std::vector<std::string>& m_log;
};

TEST(Broadcast, VisitsTheViewsLeftInAttachOrderButTheSenderANestedBroadcastFirst) {
    std::vector<std::string> log;
    CDocument document;
    RecordingView list{"list", log}, tree{"tree", log}, form{"form", log}, chart{"chart", log};
    auto* late = new RecordingView("late", log);
    for (RecordingView* view : {&list, &tree, &form, &chart, late}) {
        view->AttachDocument(&document);
    }
    // The tree answers a request by announcing a new folder; the list takes a view away.
    tree.reaction = [&document, &tree] { document.UpdateAllViews(&tree, 0); };
    list.reaction = [late] { delete late; };
    document.UpdateAllViews(nullptr, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"list1", "tree1", "list<0", "form<0", "chart<0",
                                             "form1", "chart1"}));
}

} // namespace
