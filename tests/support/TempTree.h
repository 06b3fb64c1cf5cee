#pragma once

#include <cstdint>
#include <string>

namespace testsupport {

// A temporary folder that tests fill with files, folders and links, removed with everything
// in it (however deep) when the test ends.
class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& Root() const { return m_root; }
    std::string Path(const std::string& relative) const { return m_root + "/" + relative; }

    // Relative paths; parent folders are made as needed.
    void Folder(const std::string& relative) const;
    void File(const std::string& relative, std::uint64_t size) const; // sparse beyond 1 MiB
    void Link(const std::string& relative, const std::string& target) const;

private:
    std::string m_root;
};

// Number of descriptors this process has open.
int OpenDescriptorCount();

// Makes a chain of `depth` folders named `name` below `folder` without ever building the
// path, so it can go far past PATH_MAX; a file of `leafSize` bytes lies at the bottom.
void MakeDeepChain(const std::string& folder, const std::string& name, int depth,
                   std::uint64_t leafSize);

// The working directory, for checking that an operation left it where it was.
std::string WorkingDirectory();

} // namespace testsupport
