#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "StagedCalls.h"
#include "TempTree.h"

namespace testsupport {

// A chain of 150 folders "c" whose lower part moves under "elsewhere" while a walk opens its
// 140th level, far beyond any window of open folders, so that the walk must reopen the upper
// folders through "..". Beside the moved part lie look-alike folders "elsewhere/za" to
// "elsewhere/zh", each with a file "bulk", which a walk that followed the move would reach.
// The move is staged on the walk's folder calls `calls`.
class MovingChain {
public:
    static constexpr char kFirstLookAlike = 'a';
    static constexpr char kLastLookAlike = 'h';

    MovingChain(const TempTree& tree, std::uint64_t bulkSize, StagedCalls& calls) : m_tree(tree) {
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

    // The 49th folder of the chain, whose "c" moves.
    const std::string& FortyNinth() const { return m_fortyNinth; }
    bool Moved() const { return m_moved; }

private:
    const TempTree& m_tree;
    std::string m_fortyNinth = "c";
    int m_depthSeen = 0;
    bool m_moved = false;
};

} // namespace testsupport
