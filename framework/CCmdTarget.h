#pragma once

#include <functional>
#include <map>

#include "framework/CObject.h"

// An object that can handle commands. Each class maps the command ids it handles to its
// handlers in its constructor; what is not mapped is passed on along the route.
class CCmdTarget : public CObject {
public:
    // Runs the handler of `id`; false when this object has none.
    bool OnCmdMsg(unsigned id);
    bool HandlesCommand(unsigned id) const { return m_commands.count(id) != 0; }

protected:
    void MapCommand(unsigned id, std::function<void()> handler);

private:
    std::map<unsigned, std::function<void()>> m_commands;
};
