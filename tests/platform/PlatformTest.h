#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "platform/Drives.h"
#include "platform/FileDescriptor.h"
#include "support/FixedRoots.h"
#include "support/TempTree.h"

namespace vorn_test {

// Runs each case inside a fresh temporary folder and puts back afterwards what the cases
// change process-wide: the working directory, and the drive table.
class PlatformTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Drives over the folders given, or with none the system's volumes; the working directory
    // stays where it is.
    void UseDrives(const std::map<int, std::string>& roots);
    void UseSystemDrives();

    testsupport::TempTree m_temp;
    std::unique_ptr<platform::Drives> m_drives;

private:
    platform::FileDescriptor m_started;
    testsupport::FixedRoots m_roots;
};

} // namespace vorn_test
