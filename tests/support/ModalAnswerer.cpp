#include "support/ModalAnswerer.h"

#include <QApplication>

#include <utility>

#include "framework/CDialog.h"

namespace testsupport {

ModalAnswerer::ModalAnswerer(std::function<void(CDialog&)> answer) : m_answer(std::move(answer)) {
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::Poll);
    m_timer.start(0);
}

void ModalAnswerer::Poll() {
    auto* dialog = dynamic_cast<CDialog*>(QApplication::activeModalWidget());
    if (dialog && dialog->isVisible()) {
        m_answer(*dialog);
    }
}

} // namespace testsupport
