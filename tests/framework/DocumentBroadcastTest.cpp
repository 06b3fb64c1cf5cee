#include <gtest/gtest.h>

#include <functional>
#include <string>
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
            reaction(lHint);
        }
    }

    std::function<void(long)> reaction;

private:
    std::string m_name;
    std::vector<std::string>& m_log;
};

class Broadcast : public ::testing::Test {
protected:
    Broadcast() {
        for (auto* view : {&list, &tree, &form, &chart}) {
            view->AttachDocument(&document);
        }
    }

    std::vector<std::string> log;
    CDocument document;
    RecordingView list{"list", log}, tree{"tree", log}, form{"form", log}, chart{"chart", log};
};

TEST_F(Broadcast, VisitsViewsInAttachOrderSkippingTheSenderANestedBroadcastFirst) {
    // The tree answers a request by announcing a new folder, as it does for hint 1.
    tree.reaction = [this](long hint) {
        if (hint == 1) {
            document.UpdateAllViews(&tree, 0);
        }
    };
    document.UpdateAllViews(nullptr, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"list1", "tree1", "list<0", "form<0", "chart<0",
                                             "form1", "chart1"}));
}

TEST_F(Broadcast, ViewDestroyedMidBroadcastIsNotCalled) {
    auto* late = new RecordingView("late", log);
    late->AttachDocument(&document);
    list.reaction = [late](long) { delete late; };
    document.UpdateAllViews(nullptr, 2);
    EXPECT_EQ(log, (std::vector<std::string>{"list2", "tree2", "form2", "chart2"}));
}

} // namespace
