#include "PlatformTest.h"

#include <fcntl.h>
#include <unistd.h>

#include "platform/DriveTableSeam.h"

namespace vorn_test {

void PlatformTest::SetUp() {
    m_started = platform::FileDescriptor(::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC));
    ASSERT_TRUE(m_started.valid());
    ASSERT_EQ(::chdir(m_temp.Root().c_str()), 0);
}

void PlatformTest::TearDown() {
    ASSERT_EQ(::fchdir(m_started.get()), 0);
    platform::UseSystemDrives();
}

} // namespace vorn_test
