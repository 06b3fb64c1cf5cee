#pragma once

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace testsupport {

// Holds a walk's thread at Hold() until the window's thread has painted a window of its own
// meanwhile, which it can do only by letting events through while it waits for the walk. A
// window's thread that waits without doing so never releases the walk; after a failsafe of a
// minute the walk goes on, and PaintedWhileHeld() tells the failure.
class PaintGate : public QObject {
public:
    PaintGate() {
        m_probe.installEventFilter(this);
        m_probe.show();
        connect(&m_poll, &QTimer::timeout, &m_probe, qOverload<>(&QWidget::update));
        m_poll.start(0);
    }

    void Hold() {
        std::unique_lock lock(m_mutex);
        m_held = true;
        m_released.wait_for(lock, std::chrono::minutes(1), [this] { return m_painted; });
        m_held = false;
    }
    bool PaintedWhileHeld() {
        const std::lock_guard lock(m_mutex);
        return m_painted;
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            const std::lock_guard lock(m_mutex);
            m_painted = m_painted || m_held;
            m_released.notify_one();
        }
        return false;
    }

private:
    QWidget m_probe;
    QTimer m_poll;
    std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_held = false;
    bool m_painted = false;
};

} // namespace testsupport
