#pragma once

#include <QObject>

#include <functional>
#include <string>

// Notes each progress dialog as it is hidden, with its text, its bar's range and the position
// the bar ended at: "bar <text> 0..30 at 30".
class ProgressDialogWatch : public QObject {
public:
    explicit ProgressDialogWatch(std::function<void(const std::string&)> note);
    ~ProgressDialogWatch() override;

    // Whether a progress dialog is on the screen now.
    static bool AnyShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const std::string&)> m_note;
};
