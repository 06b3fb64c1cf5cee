#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/EntryStatus.h"
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

    platform::FileDescriptor m_started{::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC)};
    testsupport::TempTree m_temp;
};

} // namespace vorn_test
