#include "PlatformTest.h"

#include <fcntl.h>
#include <unistd.h>

namespace vorn_test {

void PlatformTest::SetUp() {
    m_started = platform::FileDescriptor(::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC));
    ASSERT_TRUE(m_started.Valid());
    ASSERT_EQ(::chdir(m_temp.Root().c_str()), 0);
}

void PlatformTest::TearDown() {
    ASSERT_EQ(::fchdir(m_started.Get()), 0);
}

void PlatformTest::UseDrives(const std::map<int, std::string>& roots) {
    m_roots.roots = roots;
    m_drives = std::make_unique<platform::Drives>(m_roots);
}

void PlatformTest::UseSystemDrives() {
    m_drives = std::make_unique<platform::Drives>();
}

} // namespace vorn_test
