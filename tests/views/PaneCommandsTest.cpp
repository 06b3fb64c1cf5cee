#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "SpyView.h"
#include "document/CVornDoc.h"
#include "document/Hints.h"
#include "resources/ResourceIds.h"
#include "views/CVornView.h"

namespace {

// The list and the chart leave navigation to the tree: each command becomes a hint.
template <typename Pane> class PaneCommands : public ::testing::Test {
protected:
    PaneCommands() {
        pane.AttachDocument(&document);
        spy.AttachDocument(&document);
    }

    CVornDoc document;
    Pane pane;
    SpyView spy;
};

// The list and the form share the chart's forwarding (CVornPaneView).
using Panes = ::testing::Types<CVornView>;
TYPED_TEST_SUITE(PaneCommands, Panes);

TYPED_TEST(PaneCommands, NavigationCommandsBecomeHintsWithNoSender) {
    const std::vector<std::pair<unsigned, long>> commands{
        {ID_FOLDER_UP, HINT_FOLDER_UP},
        {ID_REFRESH_CURRENT, HINT_REFRESH_CURRENT},
        {ID_REFRESH_DRIVES, HINT_REFRESH_DRIVES}};
    for (const auto& [id, hint] : commands) {
        this->spy.updates.clear();
        ASSERT_TRUE(this->pane.OnCmdMsg(id));
        ASSERT_EQ(this->spy.updates.size(), 1u);
        EXPECT_EQ(this->spy.updates[0].sender, nullptr);
        EXPECT_EQ(this->spy.updates[0].hint, hint);
        EXPECT_FALSE(this->spy.updates[0].hasObject);
    }
}

} // namespace
