#include "DeletionTest.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>

#include "deletion/FolderDeleter.h"

namespace vorn_test {

DeletionTest::DeletionTest() : m_previous(testsupport::WorkingDirectory()) {
    tree.File("canary", kCanarySize);
    EXPECT_EQ(::chdir(tree.Root().c_str()), 0);
}

DeletionTest::~DeletionTest() {
    EXPECT_EQ(::chdir(m_previous.c_str()), 0);
}

void DeletionTest::TearDown() {
    EXPECT_EQ(Contents("canary"), std::string(kCanarySize, 'v'));
    EXPECT_EQ(testsupport::WorkingDirectory(), tree.Root());
}

bool DeletionTest::Exists(const std::string& relative) const {
    struct stat st;
    return ::lstat(tree.Path(relative).c_str(), &st) == 0;
}

std::string DeletionTest::Contents(const std::string& relative) const {
    std::ifstream in(tree.Path(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void DeletionTest::Write(const std::string& relative, const std::string& bytes) const {
    std::ofstream(tree.Path(relative), std::ios::binary) << bytes;
}

void DeletionTest::MakeReadOnly(const std::string& relative) const {
    struct stat st;
    ASSERT_EQ(::stat(tree.Path(relative).c_str(), &st), 0);
    ASSERT_EQ(::chmod(tree.Path(relative).c_str(), st.st_mode & ~0222), 0);
}

int DeletionTest::DeleteFolder(const std::string& name) {
    errno = 0;
    int result = deletion::FolderDeleter(log, calls).DeleteFolderRecursive(name);
    EXPECT_TRUE(result == 0 || result == -1) << result;
    return result == 0 ? 0 : errno;
}

bool DeletionTest::Mount(const char* source, const std::string& relative, const char* type,
                         unsigned long flags) {
    return m_mounts.Mount(source, tree.Path(relative), type, flags);
}

} // namespace vorn_test
