// The window-free deletion of selected rows: it removes exactly what was chosen, whatever the
// disk holds or does meanwhile, and tells the first failure with its notice.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "deletion/DeletionNotices.h"
#include "deletion/DeletionProgress.h"
#include "deletion/SelectedRowsDeleter.h"
#include "support/DescriptorLimit.h"
#include "support/MovingChain.h"
#include "support/ScopedMounts.h"
#include "support/StagedCalls.h"
#include "support/TempTree.h"

namespace vorn_test {

namespace {

using deletion::SelectedRow;
using Events = std::vector<std::string>;

class DeletionTest;

// One deletion, each field but the title a list of words: the entries made first ("name" a
// file, "name/" a folder, "name>target" a link, a target beginning with "/" taken inside the
// temporary folder); the rows chosen ("name/" a folder row); what the dialogs would show,
// ("162:name" file, "163:name" not found, "164:name" folder notice, and the bar's moves); what must
// be kept and what must be gone.
struct DeletionCase {
    const char* title;
    std::string entries, rows, events, kept, gone = {};
    // Read-only entries, mounts, failures and races, staged after the entries are made.
    void (*stage)(DeletionTest&) = nullptr;
};

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// Each case works in a temporary folder made the working directory, beside a canary that no
// case chooses, with few descriptors to spare; the dialogs are stood in for by an event log.
class DeletionTest : public ::testing::TestWithParam<DeletionCase>,
                     public deletion::DeletionNotices,
                     public deletion::DeletionProgress {
public:
    DeletionTest() : m_previous(testsupport::WorkingDirectory()) {
        Make({"canary"});
        EXPECT_EQ(::chdir(tree.Root().c_str()), 0);
    }
    ~DeletionTest() override { EXPECT_EQ(::chdir(m_previous.c_str()), 0); }

    void TearDown() override {
        EXPECT_TRUE(Exists("canary"));
        EXPECT_EQ(testsupport::WorkingDirectory(), tree.Root());
    }

    void FileDeleteError(const std::string& name) override { events.push_back("162:" + name); }
    void DeleteNotFound(const std::string& name) override { events.push_back("163:" + name); }
    void FolderDeleteError(const std::string& name) override { events.push_back("164:" + name); }
    void Begin(int upper) override { events.push_back("begin:" + std::to_string(upper)); }
    void Step() override { events.push_back("step"); }
    void End() override { events.push_back("end"); }

    void Make(const std::vector<std::string>& entries) const {
        for (const std::string& entry : entries) {
            const std::size_t arrow = entry.find('>');
            if (arrow != std::string::npos) {
                const std::string target = entry.substr(arrow + 1);
                tree.Link(entry.substr(0, arrow),
                          target[0] == '/' ? tree.Path(target.substr(1)) : target);
            } else if (entry.back() == '/') {
                tree.Folder(entry.substr(0, entry.size() - 1));
            } else {
                tree.File(entry, 1);
            }
        }
    }
    bool Exists(const std::string& relative) const {
        return std::filesystem::exists(std::filesystem::symlink_status(tree.Path(relative)));
    }
    // The owner's write bit off: what the program takes for read-only, whoever runs it.
    void MakeReadOnly(const std::string& relative) const {
        ASSERT_EQ(::chmod(tree.Path(relative).c_str(), 0555), 0);
    }
    // Mounting needs privileges: where the machine cannot mount, the case skips.
    void Mount(const std::string& source, const std::string& relative, const char* type,
               unsigned long flags) {
        if (!m_mounts.Mount(source.c_str(), tree.Path(relative), type, flags)) {
            GTEST_SKIP() << "cannot mount here: " << std::strerror(errno);
        }
    }
    // A staged call that fails with `error` for the entry `failing` alone.
    static auto FailFor(std::string failing, int error) {
        return [failing, error](int, const auto& name) { return failing == name ? error : 0; };
    }
    // A staged call that, the first time it meets "sub", moves a/sub to outside/moved and makes
    // `entry` in its place.
    template <typename Name> auto MoveSubAsideThenMake(std::string entry) {
        return [this, entry](int, Name name) {
            if (std::string_view(name) == "sub" && !Exists("outside/moved")) {
                EXPECT_EQ(
                    std::rename(tree.Path("a/sub").c_str(), tree.Path("outside/moved").c_str()), 0);
                Make({entry});
            }
            return 0;
        };
    }
    void Delete(const std::vector<SelectedRow>& rows) {
        const int descriptors = testsupport::OpenDescriptorCount();
        deletion::SelectedRowsDeleter(*this, *this, calls).DeleteRows(rows);
        EXPECT_EQ(testsupport::OpenDescriptorCount(), descriptors);
    }

    testsupport::TempTree tree;
    testsupport::StagedCalls calls;
    std::optional<testsupport::MovingChain> chain;
    Events events;

private:
    std::string m_previous;
    testsupport::ScopedMounts m_mounts; // goes before the tree: unmounted before it is removed
    // Deep trees go with far fewer descriptors than levels.
    testsupport::DescriptorLimit m_limit{40};
};

TEST_P(DeletionTest, RemovesExactlyWhatWasChosen) {
    const DeletionCase& c = GetParam();
    Make(Words(c.entries));
    if (c.stage) {
        c.stage(*this);
    }
    if (IsSkipped()) {
        return;
    }
    std::vector<SelectedRow> rows;
    for (const std::string& row : Words(c.rows)) {
        rows.push_back(row.back() == '/' ? SelectedRow{row.substr(0, row.size() - 1), true}
                                         : SelectedRow{row, false});
    }
    Delete(rows);
    EXPECT_EQ(events, Words(c.events));
    for (const std::string& kept : Words(c.kept)) {
        EXPECT_TRUE(Exists(kept)) << kept;
    }
    for (const std::string& gone : Words(c.gone)) {
        EXPECT_FALSE(Exists(gone)) << gone;
    }
}

TEST_F(DeletionTest, OnlyPlainNamesOfTheWorkingDirectoryAreTaken) {
    Make({"a/b/file"});
    ASSERT_EQ(::chdir(tree.Path("a").c_str()), 0);
    for (const std::string name : {"..", ".", "", "b/", "../a"}) {
        events.clear();
        Delete({{name, true}});
        EXPECT_EQ(events, (Events{"begin:10", "164:" + name, "end"}));
    }
    ASSERT_EQ(::chdir(tree.Root().c_str()), 0);
    EXPECT_TRUE(Exists("a/b/file"));
}

const std::string kLongName(255, 'n');

const std::vector<DeletionCase> kCases{
    {"EverythingBeneathGoesDepthFirstAndLinksAsLinksWhereverTheyPoint",
     "empty/ a/sub/deeper/three a/sub/hollow/ keep/a outside/sub/payload a/to-folder>/outside "
     "a/sub/to-folder>../../outside/sub a/to-file>/outside/sub/payload a/dangling>/nowhere "
     "a/sub/up>.. a/self>. a/loop>loop link>/outside",
     "empty/ a/ link/", "begin:30 step step step end", "keep/a outside/sub/payload",
     "empty a link"},
    {"UndecodableNameIsTakenByItsExactBytes", "caf\xe9/x caf\xc3\xa9/x caf\xef\xbf\xbd/x",
     "caf\xe9/", "begin:10 step end", "caf\xc3\xa9/x caf\xef\xbf\xbd/x", "caf\xe9"},
    {"ReadOnlyFileStopsTheRowsWithTheFileNotice", "a/locked a/sub/plain later", "a/ later",
     "begin:20 162:locked end", "a/locked later", "",
     [](DeletionTest& t) { t.MakeReadOnly("a/locked"); }},
    {"ReadOnlyFolderIsEmptiedButStays", "a/ro/inside", "a/", "begin:10 164:ro end", "a/ro",
     "a/ro/inside", [](DeletionTest& t) { t.MakeReadOnly("a/ro"); }},
    {"DotEntriesStayAndKeepTheirFolder", "a/.profile a/.cache/inside a/plain", "a/",
     "begin:10 164:a end", "a/.profile a/.cache/inside", "a/plain"},
    {"VanishedRowIsNotFoundAfterTheBar", "later", "gone/ later", "begin:20 end 163:gone", "later"},
    {"FileRowThatCannotGoHasTheFileNoticeAfterTheBar", "busy later", "busy later",
     "begin:20 end 162:busy", "busy later", "",
     [](DeletionTest& t) { t.calls.beforeRemoval = t.FailFor("busy", EBUSY); }},
    {"FolderRowTurnedFileIsReportedAndKept", "a b", "a/ b", "begin:20 164:a end", "a b"},
    {"FolderThatCannotBeEnteredIsReported", "a/locked/secret a/locked/deeper/secret", "a/",
     "begin:10 164:locked end", "a/locked/secret a/locked/deeper/secret", "",
     [](DeletionTest& t) { t.calls.beforeOpen = t.FailFor("locked", EACCES); }},
    // Races: a/sub moved aside, and something else put in its place.
    {"FolderSwappedForALinkBeforeItIsEnteredIsNotFollowed", "outside/payload a/sub/own", "a/",
     "begin:10 step end", "outside/payload outside/moved/own", "a",
     [](DeletionTest& t) {
         t.calls.beforeOpen = t.MoveSubAsideThenMake<const char*>("a/sub>/outside");
     }},
    {"EmptyFolderPutInAnEmptiedFoldersPlaceIsNotRemoved", "outside/ a/sub/own", "a/",
     "begin:10 164:sub end", "a/sub outside/moved", "outside/moved/own",
     [](DeletionTest& t) {
         t.calls.beforeRemoval = t.MoveSubAsideThenMake<const std::string&>("a/sub/");
     }},
    {"LinkPutInAnEmptiedFoldersPlaceIsNotFollowed", "outside/payload a/sub/own", "a/",
     "begin:10 164:sub end", "a/sub outside/moved outside/payload", "outside/moved/own",
     [](DeletionTest& t) {
         t.calls.beforeRemoval = t.MoveSubAsideThenMake<const std::string&>("a/sub>/outside");
     }},
    // Folders far above the walk are reopened through ".." on the way back: once the chain has
    // moved under another parent, that parent's look-alike entries must stay.
    {"FolderMovedAboveTheOpenWindowIsNotFollowedToItsNewParent", "", "c/", "begin:10 164:c end",
     "c elsewhere/c elsewhere/za/bulk elsewhere/zb/bulk elsewhere/zc/bulk elsewhere/zd/bulk "
     "elsewhere/ze/bulk elsewhere/zf/bulk elsewhere/zg/bulk elsewhere/zh/bulk",
     "elsewhere/c/c", [](DeletionTest& t) { t.chain.emplace(t.tree, 3, t.calls); }},
    {"MountBeneathStaysAndKeepsTheFolderHoldingIt", "a/holder/volume/", "a/",
     "begin:10 164:holder end", "a/holder/volume/remote", "a/holder/beside",
     [](DeletionTest& t) {
         t.Mount("none", "a/holder/volume", "tmpfs", 0);
         t.Make({"a/holder/volume/remote", "a/holder/beside"});
     }},
    {"BindMountOfTheSameFileSystemIsNotEntered", "outside/payload a/bound/", "a/",
     "begin:10 164:a end", "outside/payload a/bound/payload", "",
     [](DeletionTest& t) { t.Mount(t.tree.Path("outside"), "a/bound", nullptr, MS_BIND); }},
    {"ChosenMountPointIsNotEntered", "volume/", "volume/", "begin:10 164:volume end",
     "volume/remote", "",
     [](DeletionTest& t) {
         t.Mount("none", "volume", "tmpfs", 0);
         t.Make({"volume/remote"});
     }},
    {"TenThousandLevelsAndNamesFarPastThePathLimitGo", "beside", "d/ " + kLongName + "/",
     "begin:20 step step end", "beside", "d " + kLongName,
     [](DeletionTest& t) {
         testsupport::MakeDeepChain(t.tree.Root(), "d", 10000, 1);
         testsupport::MakeDeepChain(t.tree.Root(), kLongName, 1000, 1);
     }},
    {"FailureAtTheBottomOfTenThousandLevelsLeavesTheChain", "", "d/", "begin:10 162:leaf end",
     "d/d/d", "",
     [](DeletionTest& t) {
         testsupport::MakeDeepChain(t.tree.Root(), "d", 10000, 1);
         t.calls.beforeRemoval = t.FailFor("leaf", ETXTBSY);
     }},
};

INSTANTIATE_TEST_SUITE_P(Walk, DeletionTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.title); });

} // namespace

} // namespace vorn_test
