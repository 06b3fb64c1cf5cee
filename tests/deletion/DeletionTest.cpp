// The window-free deletion of selected rows: it removes exactly what was chosen, whatever the
// disk holds or does meanwhile, and tells the first failure with its notice.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "deletion/DeletionNotices.h"
#include "deletion/DeletionProgress.h"
#include "deletion/SelectedRowsDeleter.h"
#include "support/DescriptorHog.h"
#include "support/ScopedMounts.h"
#include "support/StagedCalls.h"
#include "support/TempTree.h"

namespace vorn_test {

namespace {

namespace fs = std::filesystem;
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
        fs::current_path(tree.Root());
    }
    ~DeletionTest() override { fs::current_path(m_previous); }

    void TearDown() override {
        EXPECT_TRUE(tree.Exists("canary"));
        EXPECT_EQ(testsupport::WorkingDirectory(), tree.Root());
    }

    void FileDeleteError(const std::string& name) override { events.push_back("162:" + name); }
    void DeleteNotFound(const std::string& name) override { events.push_back("163:" + name); }
    void FolderDeleteError(const std::string& name) override { events.push_back("164:" + name); }
    void Begin(int upper) override { events.push_back("begin:" + std::to_string(upper)); }
    void Step() override { events.push_back("step"); }
    void Pump() override {}
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
            } else if (!m_mounts.Mount(target.empty() ? "-t tmpfs none" : "--bind " + to,
                                       tree.Path(name))) {
                GTEST_SKIP() << "cannot mount here";
            }
        }
    }
    // A staged call that fails with `error` for the entry `failing` alone.
    static auto FailFor(std::string failing, int error) {
        return [failing, error](int, const auto& name) { return failing == name ? error : 0; };
    }
    // A staged call that, the first time it meets "sub", moves a/sub to outside/moved and makes
    // `entry` in its place.
    auto SwapSub(std::string entry) {
        return [this, entry](int, std::string_view name) {
            if (name == "sub" && !tree.Exists("outside/moved")) {
                fs::rename(tree.Path("a/sub"), tree.Path("outside/moved"));
                Make({entry});
            }
            return 0;
        };
    }
    // A chain of 150 folders "c" whose part below the 49th level moves to "elsewhere" while the
    // walk opens its 140th level, far beyond any window of open folders, so that the walk must
    // reopen the upper folders through "..". Beside the moved part lie look-alikes
    // "elsewhere/za" to "elsewhere/zh", each with a file, which a walk that followed would reach.
    void MoveChainWhileWalked() {
        testsupport::MakeDeepChain(tree.Root(), "c", 150, 1);
        std::string fortyNinth = "c";
        for (int level = 1; level < 49; ++level) {
            fortyNinth += "/c";
        }
        for (char k = 'a'; k <= 'h'; ++k) {
            tree.Folder(fortyNinth + "/z" + k);
            tree.File(std::string("elsewhere/z") + k + "/bulk", 3);
        }
        calls.beforeOpen = [this, fortyNinth, depth = 0](int, const char* name) mutable {
            if (std::string_view(name) == "c" && ++depth == 140) {
                fs::rename(tree.Path(fortyNinth + "/c"), tree.Path("elsewhere/c"));
            }
            return 0;
        };
    }
    void Delete(const std::vector<SelectedRow>& rows) {
        const int descriptors = testsupport::OpenDescriptorCount();
        deletion::SelectedRowsDeleter(*this, *this, calls).DeleteRows(rows);
        hog.Release();
        EXPECT_EQ(testsupport::OpenDescriptorCount(), descriptors);
    }

    testsupport::TempTree tree;
    testsupport::StagedCalls calls;
    testsupport::DescriptorHog hog{0}; // takes the descriptors once staged to
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
        EXPECT_TRUE(tree.Exists(kept)) << kept;
    }
    for (const std::string& gone : Words(c.gone)) {
        EXPECT_FALSE(tree.Exists(gone)) << gone;
    }
}

TEST_F(DeletionTest, OnlyPlainNamesOfTheWorkingDirectoryAreTaken) {
    Make({"a/b/file"});
    fs::current_path(tree.Path("a"));
    for (const std::string name : {"..", ".", "", "b/", "../a"}) {
        events.clear();
        Delete({{name, true}});
        EXPECT_EQ(events, (Events{"begin:10", "164:" + name, "end"}));
    }
    fs::current_path(tree.Root());
    EXPECT_TRUE(tree.Exists("a/b/file"));
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
     // The owner's write bit off: what the program takes for read-only, whoever runs it.
     [](DeletionTest& t) { fs::permissions(t.tree.Path("a/locked"), fs::perms(0555)); }},
    {"ReadOnlyFolderIsEmptiedButStays", "a/ro/inside", "a/", "begin:10 164:ro end", "a/ro",
     "a/ro/inside", [](DeletionTest& t) { fs::permissions(t.tree.Path("a/ro"), fs::perms(0555)); }},
    {"DotEntriesGoWithTheirFolder", "a/.git/objects/ab/cdef a/.gitignore a/plain", "a/",
     "begin:10 step end", "", "a"},
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
    // Folders far above the walk are reopened through ".." on the way back: once the chain has
    // moved under another parent, that parent's look-alike entries must stay.
    {"FolderMovedAboveTheOpenWindowIsNotFollowedToItsNewParent", "", "c/", "begin:10 164:c end",
     "c elsewhere/c elsewhere/za/bulk elsewhere/zb/bulk elsewhere/zc/bulk elsewhere/zd/bulk "
     "elsewhere/ze/bulk elsewhere/zf/bulk elsewhere/zg/bulk elsewhere/zh/bulk",
     "elsewhere/c/c", [](DeletionTest& t) { t.MoveChainWhileWalked(); }},
    {"MountBeneathStaysAndKeepsTheFolderHoldingIt",
     "a/holder/volume/ a/holder/volume@ a/holder/volume/remote a/holder/beside", "a/",
     "begin:10 164:holder end", "a/holder/volume/remote", "a/holder/beside"},
    {"BindMountOfTheSameFileSystemIsNotEntered", "outside/payload a/bound/ a/bound@/outside", "a/",
     "begin:10 164:a end", "outside/payload a/bound/payload"},
    {"ChosenMountPointIsNotEntered", "volume/ volume@ volume/remote", "volume/",
     "begin:10 164:volume end", "volume/remote"},
    // Descriptors that another part of the process takes once the walk is under way, from its
    // second removal on, before it goes down the second chain: none left but those the walk holds
    // is enough.
    {"ChainFarDeeperThanTheWindowAndPastThePathLimitGoesWithNoDescriptorLeft", "beside",
     kLongName + "/", "begin:10 step end", "beside", kLongName,
     [](DeletionTest& t) {
         testsupport::MakeDeepChain(t.tree.Root(), kLongName, 2000, 1);
         testsupport::MakeDeepChain(t.tree.Path(kLongName), "second", 200, 1);
         t.calls.beforeRemoval = [&t, removals = 0](int, const std::string&) mutable {
             if (++removals == 2) {
                 t.hog.Take();
             }
             return 0;
         };
     }},
};

INSTANTIATE_TEST_SUITE_P(Walk, DeletionTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.title); });

} // namespace

} // namespace vorn_test
