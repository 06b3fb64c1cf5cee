// Each selected row is taken by its place in the list and by the exact bytes of its name,
// whatever the disk says of it and however the name is shown.
#include <unistd.h>

#include "DeleteCommandTest.h"

namespace vorn_test {

namespace {

using DeleteCommandRows = DeleteCommandTest;

TEST_F(DeleteCommandRows, RowIsAFolderOrAFileByItsIndexAloneNotByTheDisk) {
    folder.File("dir/sub/inner", 50);
    folder.File("big.dat", 400); // larger than the canary
    folder.File("small.dat", 30);
    Fill();
    ASSERT_EQ(list.FolderCount(), 1);
    ASSERT_EQ(RowNamed("dir"), 0);
    ASSERT_EQ(RowNamed("big.dat"), 1);
    // The first file row has become a folder since the list was filled.
    ASSERT_EQ(::unlink(folder.Path("big.dat").c_str()), 0);
    folder.File("big.dat/keep", 6);
    Select({"dir", "big.dat"});
    Delete(Answer::Yes);
    EXPECT_EQ(timeline,
              (Events{"160", "bar 削除中です．．． 0..20 at 10 [disabled]",
                      "162 big.dat [disabled]", "hint 2 [disabled]", "hint 6 [disabled]"}));
    EXPECT_FALSE(Exists("dir"));
    EXPECT_EQ(Contents("big.dat/keep"), std::string(6, 'v'));
    EXPECT_EQ(Contents("small.dat"), std::string(30, 'v'));
}

TEST_F(DeleteCommandRows, OnlyTheUndecodableNameGoesNotItsLookAlikes) {
    folder.File("caf\xe9", 5);
    folder.File("caf\xc3\xa9", 6); // the same word in UTF-8
    folder.File("caf\\xE9", 7);    // the undecodable name's display text, as a name
    Fill();
    Select({"caf\xe9"});
    Delete(Answer::Yes);
    EXPECT_EQ(timeline, (Events{"160", "bar 削除中です．．． 0..10 at 10 [disabled]",
                                "hint 2 [disabled]", "hint 6 [disabled]"}));
    EXPECT_FALSE(Exists("caf\xe9"));
    EXPECT_EQ(Contents("caf\xc3\xa9"), std::string(6, 'v'));
    EXPECT_EQ(Contents("caf\\xE9"), std::string(7, 'v'));
}

TEST_F(DeleteCommandRows, NoticesShowTheDisplayTextOfNamesThatAreNotUtf8) {
    folder.File("d\xff/x\xfe", 4);
    MakeReadOnly("d\xff/x\xfe");
    folder.File("caf\xe9", 5);
    Fill();
    Select({"d\xff"});
    Delete(Answer::Yes);
    EXPECT_EQ(timeline, (Events{"160", "162 x\\xFE [bar] [disabled]",
                                "bar 削除中です．．． 0..10 at 0 [disabled]", "hint 2 [disabled]",
                                "hint 6 [disabled]"}));
    EXPECT_EQ(Contents("d\xff/x\xfe"), std::string(4, 'v'));

    Select({"caf\xe9"});
    ASSERT_EQ(::unlink(folder.Path("caf\xe9").c_str()), 0);
    Delete(Answer::Yes);
    EXPECT_EQ(timeline,
              (Events{"160", "bar 削除中です．．． 0..10 at 0 [disabled]",
                      "163 caf\\xE9 [disabled]", "hint 2 [disabled]", "hint 6 [disabled]"}));
}

TEST_F(DeleteCommandRows, LinkToAFolderOutsideGoesAsALinkAndItsTargetStays) {
    static constexpr const char* kPayload = "payload \x01\x02\xff bytes";
    testsupport::TempTree outside;
    outside.Folder("sub");
    for (const char* name : {"payload", "sub/payload"}) {
        WriteAt(outside.Path(name), kPayload);
    }
    folder.Link("link", outside.Root());
    folder.File("after", 1);
    Fill();
    ASSERT_GE(RowNamed("link"), list.FolderCount());
    Select({"link", "after"});
    Delete(Answer::Yes);
    EXPECT_EQ(timeline, (Events{"160", "bar 削除中です．．． 0..20 at 20 [disabled]",
                                "hint 2 [disabled]", "hint 6 [disabled]"}));
    EXPECT_FALSE(Exists("link"));
    EXPECT_FALSE(Exists("after"));
    for (const char* name : {"payload", "sub/payload"}) {
        EXPECT_EQ(ContentsAt(outside.Path(name)), kPayload) << name;
    }
}

} // namespace

} // namespace vorn_test
