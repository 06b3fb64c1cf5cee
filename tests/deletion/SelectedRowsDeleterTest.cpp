#include <cerrno>
#include <string>
#include <vector>

#include "DeletionTest.h"
#include "deletion/SelectedRowsDeleter.h"

namespace vorn_test {

namespace {

using deletion::SelectedRow;

class SelectedRowsDeleterTest : public DeletionTest {
protected:
    bool DeleteRows(const std::vector<SelectedRow>& rows) {
        return deletion::SelectedRowsDeleter(log, log, calls).DeleteRows(rows);
    }
};

TEST_F(SelectedRowsDeleterTest, VanishedFolderIsNotFound) {
    tree.File("later", 1);
    EXPECT_FALSE(DeleteRows({{"gone", true}, {"later", false}}));
    EXPECT_EQ(log.events, (Events{"begin 20", "end", "163 gone"}));
    EXPECT_TRUE(Exists("later"));
}

TEST_F(SelectedRowsDeleterTest, FileThatCannotBeRemovedHasTheFileNoticeAfterTheBar) {
    tree.File("busy", 1);
    tree.File("later", 1);
    calls.beforeRemoval = [](int, const std::string& name) { return name == "busy" ? EBUSY : 0; };
    EXPECT_FALSE(DeleteRows({{"busy", false}, {"later", false}}));
    EXPECT_EQ(log.events, (Events{"begin 20", "end", "162 busy"}));
    EXPECT_TRUE(Exists("busy"));
    EXPECT_TRUE(Exists("later"));
}

TEST_F(SelectedRowsDeleterTest, FolderRowReplacedByALinkRemovesOnlyTheLink) {
    tree.File("outside/payload", 5);
    tree.Link("a", tree.Path("outside"));
    EXPECT_TRUE(DeleteRows({{"a", true}}));
    EXPECT_EQ(log.events, (Events{"begin 10", "step", "end"}));
    EXPECT_FALSE(Exists("a"));
    EXPECT_EQ(Contents("outside/payload"), "vvvvv");
}

TEST_F(SelectedRowsDeleterTest, FolderRowReplacedByAFileIsReportedAndKept) {
    tree.File("a", 5);
    tree.File("b", 3);
    EXPECT_FALSE(DeleteRows({{"a", true}, {"b", false}}));
    EXPECT_EQ(log.events, (Events{"begin 20", "164 a", "end"}));
    EXPECT_EQ(Contents("a"), "vvvvv");
    EXPECT_TRUE(Exists("b"));
}

} // namespace

} // namespace vorn_test
