#pragma once

#include <gtest/gtest.h>

#include <string>

#include "EventLog.h"
#include "support/ScopedMounts.h"
#include "support/StagedCalls.h"
#include "support/TempTree.h"

namespace vorn_test {

// Each case works in a temporary folder made the working directory, beside a canary file that
// no case chooses; after each case the canary is intact and the working directory unchanged.
class DeletionTest : public ::testing::Test {
protected:
    static constexpr int kCanarySize = 321;

    DeletionTest();
    ~DeletionTest() override;
    void TearDown() override;

    // Relative to the temporary folder; links are not followed.
    bool Exists(const std::string& relative) const;
    std::string Contents(const std::string& relative) const;
    void Write(const std::string& relative, const std::string& bytes) const;
    void MakeReadOnly(const std::string& relative) const;

    // 0 when the folder went; otherwise the errno the failed call left.
    int DeleteFolder(const std::string& name);

    // False, with errno set, where the machine cannot mount; unmounted when the case ends.
    bool Mount(const char* source, const std::string& relative, const char* type,
               unsigned long flags);

    testsupport::TempTree tree;
    testsupport::StagedCalls calls;
    EventLog log;

private:
    std::string m_previous;
    testsupport::ScopedMounts m_mounts; // goes before the tree: unmounted before it is removed
};

} // namespace vorn_test
