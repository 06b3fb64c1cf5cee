#pragma once

#include <functional>

#include "platform/Meanwhile.h"
#include "platform/ThreadStarter.h"

namespace platform {

// Runs `work` on a thread of its own while the calling thread waits for it, making the calls of
// `meanwhile` on the calling thread as they fall due: a window's thread keeps answering through
// a file-system call of any length. The wait is for whichever comes first, the end of the work
// or the next call, never a busy loop. Where the system refuses a thread, the calling thread
// does the work itself.
void RunAside(const std::function<void()>& work, Meanwhile& meanwhile,
              const ThreadStarter& startThread = StartThread);

} // namespace platform
