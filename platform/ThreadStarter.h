#pragma once

#include <functional>
#include <thread>

namespace platform {

// Starts a thread running `work`; throws std::system_error when the system refuses one, as
// std::thread's constructor does. Tests pass one that refuses.
using ThreadStarter = std::function<std::thread(std::function<void()> work)>;

inline std::thread StartThread(std::function<void()> work) {
    return std::thread(std::move(work));
}

} // namespace platform
