// What one confirmed deletion removes, what stops it, what the user sees meanwhile, and that
// the panes are refreshed in every outcome.
#include <unistd.h>

#include "DeleteCommandTest.h"

namespace vorn_test {

namespace {

using DeleteCommandOutcome = DeleteCommandTest;

TEST_F(DeleteCommandOutcome, ThreeFilesGoInThreeStepsOfARangeOfThirty) {
    folder.File("one", 1000);
    folder.File("two", 2000);
    folder.File("three", 3000);
    folder.File("kept", 4000);
    folder.File("folder/inside", 10);
    Fill();
    Select({"one", "two", "three"});
    Delete(Answer::Yes);
    EXPECT_EQ(timeline, (Events{"160", "bar 削除中です．．． 0..30 at 30 [disabled]",
                                "hint 2 [disabled]", "hint 6 [disabled]"}));
    EXPECT_EQ(barValues, (std::vector<int>{10, 20, 30}));
    EXPECT_FALSE(Exists("one"));
    EXPECT_FALSE(Exists("two"));
    EXPECT_FALSE(Exists("three"));
    EXPECT_EQ(Contents("kept"), std::string(4000, 'v'));
    EXPECT_EQ(Contents("folder/inside"), std::string(10, 'v'));
}

TEST_F(DeleteCommandOutcome, ReadOnlyFileInAFolderIsNamedAndTheNextRowStays) {
    folder.File("a/locked", 7);
    MakeReadOnly("a/locked");
    folder.File("later", 5);
    Fill();
    Select({"a", "later"});
    Delete(Answer::Yes);
    // The walk's notice comes while the bar is still up.
    EXPECT_EQ(timeline, (Events{"160", "162 locked [bar] [disabled]",
                                "bar 削除中です．．． 0..20 at 0 [disabled]", "hint 2 [disabled]",
                                "hint 6 [disabled]"}));
    EXPECT_TRUE(barValues.empty());
    EXPECT_EQ(Contents("a/locked"), std::string(7, 'v'));
    EXPECT_EQ(Contents("later"), std::string(5, 'v'));
}

TEST_F(DeleteCommandOutcome, FileRemovedByAnotherProgramIsNamedAfterTheBarHasGone) {
    folder.File("first", 30);
    folder.File("gone", 20);
    folder.File("later", 10);
    Fill();
    Select({"first", "gone", "later"});
    ASSERT_EQ(::unlink(folder.Path("gone").c_str()), 0);
    Delete(Answer::Yes);
    EXPECT_EQ(timeline, (Events{"160", "bar 削除中です．．． 0..30 at 10 [disabled]",
                                "163 gone [disabled]", "hint 2 [disabled]", "hint 6 [disabled]"}));
    EXPECT_EQ(barValues, (std::vector<int>{10}));
    EXPECT_FALSE(Exists("first"));
    EXPECT_EQ(Contents("later"), std::string(10, 'v'));
}

TEST_F(DeleteCommandOutcome, DotEntryLeftBehindKeepsItsFolderWithTheFolderNotice) {
    folder.File("a/.hidden", 3);
    folder.File("a/plain", 4);
    folder.File("later", 5);
    Fill();
    Select({"a", "later"});
    Delete(Answer::Yes);
    EXPECT_EQ(timeline,
              (Events{"160", "164 a [bar] [disabled]", "bar 削除中です．．． 0..20 at 0 [disabled]",
                      "hint 2 [disabled]", "hint 6 [disabled]"}));
    EXPECT_FALSE(Exists("a/plain"));
    EXPECT_EQ(Contents("a/.hidden"), std::string(3, 'v'));
    EXPECT_EQ(Contents("later"), std::string(5, 'v'));
}

} // namespace

} // namespace vorn_test
