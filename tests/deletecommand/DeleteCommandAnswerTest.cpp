// Nothing is deleted, shown or refreshed unless rows are selected and the user says yes.
#include <cstdint>

#include "DeleteCommandTest.h"

namespace vorn_test {

namespace {

class DeleteCommandAnswer : public DeleteCommandTest {
protected:
    DeleteCommandAnswer() {
        folder.File("a/inside", 30);
        folder.File("file", 20);
        Fill();
    }

    void ExpectAllThere() {
        EXPECT_EQ(Contents("a/inside"), std::string(30, 'v'));
        EXPECT_EQ(Contents("file"), std::string(20, 'v'));
        EXPECT_TRUE(barValues.empty());
    }
};

TEST_F(DeleteCommandAnswer, NoSelectionShowsNothingAtAll) {
    Delete(Answer::Yes);
    EXPECT_TRUE(timeline.empty());
    ExpectAllThere();
}

TEST_F(DeleteCommandAnswer, NoAndEscapeOnTheConfirmationLeaveEverythingAsItWas) {
    Select({"a", "file"});
    const std::vector<int> selected = list.SelectedRows();
    const std::uint64_t selectedTotal = document.GetSelectedTotal();
    for (Answer answer : {Answer::No, Answer::Escape}) {
        Delete(answer);
        EXPECT_EQ(timeline, Events{"160"});
        ExpectAllThere();
        EXPECT_EQ(list.RowCount(), 3);
        EXPECT_EQ(list.SelectedRows(), selected);
        EXPECT_EQ(document.GetSelectedTotal(), selectedTotal);
    }
}

} // namespace

} // namespace vorn_test
