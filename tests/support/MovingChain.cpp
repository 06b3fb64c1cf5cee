#include "MovingChain.h"

#include <cstdio>
#include <cstring>

namespace testsupport {

MovingChain::MovingChain(const TempTree& tree, std::uint64_t bulkSize, StagedCalls& calls)
    : m_tree(tree) {
    MakeDeepChain(tree.Root(), "c", 150, 1);
    for (int level = 1; level < 49; ++level) {
        m_fortyNinth += "/c";
    }
    for (char k = kFirstLookAlike; k <= kLastLookAlike; ++k) {
        tree.Folder(m_fortyNinth + "/z" + k);
        tree.File(std::string("elsewhere/z") + k + "/bulk", bulkSize);
    }
    calls.beforeOpen = [this](int, const char* name) {
        if (std::strcmp(name, "c") == 0 && ++m_depthSeen == 140) {
            m_moved = std::rename(m_tree.Path(m_fortyNinth + "/c").c_str(),
                                  m_tree.Path("elsewhere/c").c_str()) == 0;
        }
        return 0;
    };
}

} // namespace testsupport
