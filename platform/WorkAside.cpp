#include "platform/WorkAside.h"

#include <condition_variable>
#include <mutex>
#include <system_error>

namespace platform {

void RunAside(const std::function<void()>& work, Meanwhile& meanwhile,
              const ThreadStarter& startThread) {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    std::thread worker;
    try {
        worker = startThread([&] {
            work();
            const std::lock_guard lock(mutex);
            done = true;
            ended.notify_one();
        });
    } catch (const std::system_error&) {
        work();
        return;
    }
    std::unique_lock lock(mutex);
    while (!ended.wait_until(lock, meanwhile.Due(), [&] { return done; })) {
        lock.unlock();
        meanwhile.RunIfDue();
        lock.lock();
    }
    lock.unlock();
    worker.join();
}

} // namespace platform
