#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "platform/Drives.h"
#include "platform/EntryStatus.h"
#include "support/FixedRoots.h"
#include "support/TempTree.h"

namespace vorn_test {

// Which folder a path leads to now; a default id when it leads nowhere.
inline platform::FolderId IdOf(const std::string& path) {
    platform::EntryStatus status;
    return platform::StatEntry(AT_FDCWD, path.c_str(), status) ? status.id : platform::FolderId{};
}

// Runs each case inside a fresh temporary folder and puts the working directory back after.
class PlatformTest : public ::testing::Test {
protected:
    PlatformTest() { EXPECT_EQ(::chdir(m_temp.Root().c_str()), 0); }
    ~PlatformTest() override { EXPECT_EQ(::fchdir(m_started.Get()), 0); }

    // Drives over the folders given; the working directory stays where it is.
    void UseDrives(const std::map<int, std::string>& roots) {
        m_roots.roots = roots;
        m_drives = std::make_unique<platform::Drives>(m_roots);
    }

    platform::FileDescriptor m_started{::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC)};
    testsupport::TempTree m_temp;
    testsupport::FixedRoots m_roots;
    std::unique_ptr<platform::Drives> m_drives;
};

} // namespace vorn_test
