#pragma once

#include <atomic>
#include <functional>
#include <utility>

#include "platform/FileDescriptor.h"

namespace measure {

// A folder's descriptor of its own that status reads on several threads share: the last holder
// to let go closes it, then calls `released`. Counted here rather than by a shared_ptr, whose
// count lives in a polymorphic block: the undefined-behaviour sanitizer checks each call on such
// a block by opening a pipe, which fails in a process out of descriptors, and then reports a
// fault that is not there, in just the case the walk must be checked in.
class SharedFolder {
public:
    SharedFolder() = default;
    SharedFolder(platform::FileDescriptor fd, std::function<void()> released)
        : m_state(new State{std::move(fd), std::move(released)}) {}
    SharedFolder(const SharedFolder& other) : m_state(other.m_state) {
        if (m_state) {
            m_state->holders.fetch_add(1, std::memory_order_relaxed);
        }
    }
    SharedFolder(SharedFolder&& other) noexcept : m_state(std::exchange(other.m_state, nullptr)) {}
    SharedFolder& operator=(SharedFolder other) noexcept {
        std::swap(m_state, other.m_state);
        return *this;
    }
    ~SharedFolder() { Reset(); }

    explicit operator bool() const { return m_state != nullptr; }
    int Get() const { return m_state->fd.Get(); }
    void Reset() {
        State* state = std::exchange(m_state, nullptr);
        if (state && state->holders.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            const std::function<void()> released = std::move(state->released);
            delete state;
            released();
        }
    }

private:
    struct State {
        platform::FileDescriptor fd;
        std::function<void()> released;
        std::atomic<int> holders{1};
    };
    State* m_state = nullptr;
};

} // namespace measure
