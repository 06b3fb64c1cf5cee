#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

class CDialog;

namespace testsupport {

// While it lives, answers each modal dialog that the code under test opens, from inside that
// dialog's own event loop, as a user at the screen would: `answer` reads it and ends it.
class ModalAnswerer : public QObject {
public:
    explicit ModalAnswerer(std::function<void(CDialog&)> answer);

private:
    void Poll();

    std::function<void(CDialog&)> m_answer;
    QTimer m_timer;
};

} // namespace testsupport
