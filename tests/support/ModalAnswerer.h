#pragma once

#include <QApplication>
#include <QObject>
#include <QTimer>

#include <functional>
#include <utility>

#include "framework/CDialog.h"

namespace testsupport {

// While it lives, answers each modal dialog that the code under test opens, from inside that
// dialog's own event loop, as a user at the screen would: `answer` reads it and ends it.
class ModalAnswerer : public QObject {
public:
    explicit ModalAnswerer(std::function<void(CDialog&)> answer) : m_answer(std::move(answer)) {
        connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::Poll);
        m_timer.start(0);
    }

private:
    void Poll() {
        auto* dialog = dynamic_cast<CDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible()) {
            m_answer(*dialog);
        }
    }

    std::function<void(CDialog&)> m_answer;
    QTimer m_timer;
};

} // namespace testsupport
