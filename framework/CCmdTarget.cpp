#include "framework/CCmdTarget.h"

bool CCmdTarget::OnCmdMsg(unsigned id) {
    auto found = m_commands.find(id);
    if (found == m_commands.end()) {
        return false;
    }
    // A copy: the handler may run a nested event loop during which this map is not touched,
    // but the handler object must outlive its own call whatever happens.
    std::function<void()> handler = found->second;
    handler();
    return true;
}

void CCmdTarget::MapCommand(unsigned id, std::function<void()> handler) {
    m_commands[id] = std::move(handler);
}
