#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <string>

#include "PlatformTest.h"
#include "platform/FolderCalls.h"

namespace vorn_test {

namespace {

using Removal = PlatformTest;

TEST_F(Removal, EachCallTakesOnlyItsKindAndRefusesReadOnlyOrReplacedEntriesEvenForRoot) {
    m_temp.File("file", 0);
    m_temp.File("locked", 0);
    m_temp.File("full/.hidden", 0);
    m_temp.Folder("empty");
    m_temp.Folder("locked-folder");
    m_temp.Folder("target-folder");
    m_temp.Folder("first");
    ASSERT_EQ(::rename("first", "aside"), 0);
    m_temp.Folder("first");
    ASSERT_EQ(::chmod("locked", 0444), 0);
    ASSERT_EQ(::chmod("locked-folder", 0555), 0);
    m_temp.Link("link", "locked");
    m_temp.Link("folder-link", "target-folder");
    const struct {
        const char* name;
        bool folder;
        int error;
        const char* expected = nullptr; // the folder the name must still be, when not itself
    } cases[] = {{"empty", false, EISDIR},
                 {"locked-folder", false, EISDIR}, // refused as a folder before as read-only
                 {"file", true, ENOTDIR},
                 {"folder-link", true, ENOTDIR},
                 {"full", true, ENOTEMPTY},
                 {"missing", false, ENOENT},
                 {"missing", true, ENOENT},
                 {"locked", false, EACCES},
                 {"locked-folder", true, EACCES},
                 {"first", true, ESTALE, "aside"},
                 {"link", false, 0}, // a link has no write bit of its own
                 {"folder-link", false, 0},
                 {"file", false, 0},
                 {"empty", true, 0},
                 {"aside", true, 0}};
    const platform::FolderCalls& calls = platform::FolderCalls::System();
    const auto exists = [](const char* name) { return IdOf(name) != platform::FolderId{}; };
    for (const auto& c : cases) {
        const bool existed = exists(c.name);
        const int result =
            c.folder ? calls.RemoveFolder(AT_FDCWD, c.name, IdOf(c.expected ? c.expected : c.name))
                     : calls.RemoveFile(AT_FDCWD, c.name);
        EXPECT_EQ(result == 0 ? 0 : errno, c.error) << c.name;
        EXPECT_EQ(exists(c.name), existed && c.error != 0) << c.name;
    }
    EXPECT_TRUE(exists("target-folder"));
}

} // namespace

} // namespace vorn_test
