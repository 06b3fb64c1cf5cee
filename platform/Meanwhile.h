#pragma once

#include <chrono>
#include <functional>

namespace platform {

// What a thread does while it waits for work of any length, such as a window's thread keeping
// its windows painted and answering the desktop: a call made each time `every` has passed since
// the last. An empty call is never made.
class Meanwhile {
public:
    using Clock = std::chrono::steady_clock;
    // Well within the few seconds after which a desktop offers to end a silent window.
    static constexpr std::chrono::milliseconds kEvery{50};

    explicit Meanwhile(std::function<void()> call = {}, std::chrono::milliseconds every = kEvery)
        : m_call(std::move(call)), m_every(every), m_due(Clock::now() + every) {}

    // When the next call is due; a wait for anything else ends by then.
    Clock::time_point Due() const { return m_due; }
    // Makes the call if it is due. Without a call the time still moves on, so that a wait until
    // Due() never spins.
    void RunIfDue() {
        if (Clock::now() >= m_due) {
            if (m_call) {
                m_call();
            }
            m_due = Clock::now() + m_every;
        }
    }

private:
    std::function<void()> m_call;
    std::chrono::milliseconds m_every;
    Clock::time_point m_due;
};

} // namespace platform
