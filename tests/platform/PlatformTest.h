#pragma once

#include <gtest/gtest.h>

#include "platform/FileDescriptor.h"
#include "support/TempTree.h"

namespace vorn_test {

// Runs each case inside a fresh temporary folder and puts back afterwards what the cases
// change process-wide: the working directory, and the drive table.
class PlatformTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    testsupport::TempTree m_temp;

private:
    platform::FileDescriptor m_started;
};

} // namespace vorn_test
