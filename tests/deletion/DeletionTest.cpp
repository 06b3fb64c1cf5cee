// The window-free deletion of selected rows: it removes exactly what was chosen, whatever the
// disk holds or does meanwhile, and tells the first failure with its notice.
#include <gtest/gtest.h>
#include <sys/mount.h>

#include <cerrno>
#include <filesystem>
#include <iterator>
#include <optional>
#include <ostream>
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

// One deletion, each field but the title a list of words: the entries made first, in order
// ("name" a file, "name/" a folder, "name>target" a link, "name@" a fresh file system mounted
// there, "name@target" the folder target bound there; a target beginning with "/" is taken inside
// the temporary folder); the rows chosen ("name/" a folder row); what the dialogs would show
// ("162:name" file, "163:name" not found, "164:name" folder notice, and the bar's moves); what
// must be kept and what must be gone.
struct DeletionCase {
    const char* title;
    std::string entries, rows, events, kept, gone = {};
    // Read-only entries, failures and races, staged after the entries are made.
    void (*stage)(DeletionTest&) = [](DeletionTest&) {};
};

void PrintTo(const DeletionCase& c, std::ostream* out) {
    *out << c.title;
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// Each case works in a temporary folder made the working directory, beside a canary that no
// case chooses; the dialogs are stood in for by an event log.
class DeletionTest : public ::testing::TestWithParam<DeletionCase>,
                     public deletion::DeletionNotices,
                     public deletion::DeletionProgress {
public:
    DeletionTest() : m_previous(testsupport::WorkingDirectory()) {
        Make({"canary"});
        std::filesystem::current_path(tree.Root());
    }
    ~DeletionTest() override { std::filesystem::current_path(m_previous); }

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

    // Mounting needs privileges: where the machine cannot mount, the case skips.
    void Make(const std::vector<std::string>& entries) {
        for (const std::string& entry : entries) {
            const std::size_t mark = entry.find_first_of(">@");
            const std::string name = entry.substr(0, mark);
            const std::string target = mark == std::string::npos ? "" : entry.substr(mark + 1);
            const std::string to = target[0] == '/' ? tree.Path(target.substr(1)) : target;
            if (mark == std::string::npos) {
                entry.back() == '/' ? tree.Folder(name) : tree.File(name, 1);
            } else if (entry[mark] == '>') {
                tree.Link(name, to);
            } else if (!m_mounts.Mount(target.empty() ? "none" : to.c_str(), tree.Path(name),
                                       target.empty() ? "tmpfs" : nullptr,
                                       target.empty() ? 0 : MS_BIND)) {
                GTEST_SKIP() << "cannot mount here";
            }
        }
    }
    bool Exists(const std::string& relative) const {
        return std::filesystem::exists(std::filesystem::symlink_status(tree.Path(relative)));
    }
    // The owner's write bit off: what the program takes for read-only, whoever runs it.
    void MakeReadOnly(const std::string& relative) const {
        std::filesystem::permissions(tree.Path(relative), std::filesystem::perms(0555));
    }
    // A staged call that fails with `error` for the entry `failing` alone.
    static auto FailFor(std::string failing, int error) {
        return [failing, error](int, const auto& name) { return failing == name ? error : 0; };
    }
    // A staged call that, the first time it meets "sub", moves a/sub to outside/moved and makes
    // `entry` in its place.
    auto SwapSub(std::string entry) {
        return [this, entry](int, std::string_view name) {
            if (name == "sub" && !Exists("outside/moved")) {
                std::filesystem::rename(tree.Path("a/sub"), tree.Path("outside/moved"));
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
    // Deep trees go with far fewer descriptors than levels.
    std::optional<testsupport::DescriptorLimit> limit;
    Events events;

private:
    std::string m_previous;
    testsupport::ScopedMounts m_mounts; // goes before the tree: unmounted before it is removed
};

TEST_P(DeletionTest, RemovesExactlyWhatWasChosen) {
    const DeletionCase& c = GetParam();
    Make(Words(c.entries));
    c.stage(*this);
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
    std::filesystem::current_path(tree.Path("a"));
    for (const std::string name : {"..", ".", "", "b/", "../a"}) {
        events.clear();
        Delete({{name, true}});
        EXPECT_EQ(events, (Events{"begin:10", "164:" + name, "end"}));
    }
    std::filesystem::current_path(tree.Root());
    EXPECT_TRUE(Exists("a/b/file"));
}

const std::string kLongName(255, 'n');

const std::vector<DeletionCase> kCases{
    // Beside a name that is not UTF-8: the same word in UTF-8, and as a lossy decoding shows it.
    {"EverythingBeneathGoesLinksAsLinksWhereverTheyPointAndNamesByTheirExactBytes",
     "empty/ a/sub/deeper/three a/sub/hollow/ keep/a outside/sub/payload a/to-folder>/outside "
     "a/sub/to-folder>../../outside/sub a/to-file>/outside/sub/payload a/dangling>/nowhere "
     "a/sub/up>.. a/self>. a/loop>loop link>/outside caf\xe9/x caf\xc3\xa9/x caf\xef\xbf\xbd/x",
     "empty/ a/ link/ caf\xe9/", "begin:40 step step step step end",
     "keep/a outside/sub/payload caf\xc3\xa9/x caf\xef\xbf\xbd/x", "empty a link caf\xe9"},
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
     [](DeletionTest& t) { t.calls.beforeOpen = t.SwapSub("a/sub>/outside"); }},
    {"EmptyFolderPutInAnEmptiedFoldersPlaceIsNotRemoved", "outside/ a/sub/own", "a/",
     "begin:10 164:sub end", "a/sub outside/moved", "outside/moved/own",
     [](DeletionTest& t) { t.calls.beforeRemoval = t.SwapSub("a/sub/"); }},
    {"LinkPutInAnEmptiedFoldersPlaceIsNotFollowed", "outside/payload a/sub/own", "a/",
     "begin:10 164:sub end", "a/sub outside/moved outside/payload", "outside/moved/own",
     [](DeletionTest& t) { t.calls.beforeRemoval = t.SwapSub("a/sub>/outside"); }},
    // Folders far above the walk are reopened through ".." on the way back: once the chain has
    // moved under another parent, that parent's look-alike entries must stay.
    {"FolderMovedAboveTheOpenWindowIsNotFollowedToItsNewParent", "", "c/", "begin:10 164:c end",
     "c elsewhere/c elsewhere/za/bulk elsewhere/zb/bulk elsewhere/zc/bulk elsewhere/zd/bulk "
     "elsewhere/ze/bulk elsewhere/zf/bulk elsewhere/zg/bulk elsewhere/zh/bulk",
     "elsewhere/c/c", [](DeletionTest& t) { t.chain.emplace(t.tree, 3, t.calls); }},
    {"MountBeneathStaysAndKeepsTheFolderHoldingIt",
     "a/holder/volume/ a/holder/volume@ a/holder/volume/remote a/holder/beside", "a/",
     "begin:10 164:holder end", "a/holder/volume/remote", "a/holder/beside"},
    {"BindMountOfTheSameFileSystemIsNotEntered", "outside/payload a/bound/ a/bound@/outside", "a/",
     "begin:10 164:a end", "outside/payload a/bound/payload"},
    {"ChosenMountPointIsNotEntered", "volume/ volume@ volume/remote", "volume/",
     "begin:10 164:volume end", "volume/remote"},
    {"TenThousandLevelsAndNamesFarPastThePathLimitGo", "beside", "d/ " + kLongName + "/",
     "begin:20 step step end", "beside", "d " + kLongName,
     [](DeletionTest& t) {
         testsupport::MakeDeepChain(t.tree.Root(), "d", 10000, 1);
         testsupport::MakeDeepChain(t.tree.Root(), kLongName, 1000, 1);
         t.limit.emplace(40);
     }},
    {"FailureAtTheBottomOfTenThousandLevelsLeavesTheChain", "", "d/", "begin:10 162:leaf end",
     "d/d/d", "",
     [](DeletionTest& t) {
         testsupport::MakeDeepChain(t.tree.Root(), "d", 10000, 1);
         t.calls.beforeRemoval = t.FailFor("leaf", ETXTBSY);
         t.limit.emplace(40);
     }},
};

INSTANTIATE_TEST_SUITE_P(Walk, DeletionTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.title); });

} // namespace

} // namespace vorn_test
