#include "ProgressDialogWatch.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>

#include "dialogs/CProgressDlg.h"

namespace {

constexpr int kProgressText = 1019;
constexpr int kProgressBar = 1003;

} // namespace

ProgressDialogWatch::ProgressDialogWatch(std::function<void(const std::string&)> note)
    : m_note(std::move(note)) {
    qApp->installEventFilter(this);
}

ProgressDialogWatch::~ProgressDialogWatch() {
    qApp->removeEventFilter(this);
}

bool ProgressDialogWatch::AnyShown() {
    for (QWidget* widget : QApplication::allWidgets()) {
        if (dynamic_cast<CProgressDlg*>(widget) && widget->isVisible()) {
            return true;
        }
    }
    return false;
}

bool ProgressDialogWatch::eventFilter(QObject* watched, QEvent* event) {
    auto* dialog = event->type() == QEvent::Hide ? dynamic_cast<CProgressDlg*>(watched) : nullptr;
    if (dialog) {
        const auto* text = qobject_cast<QLabel*>(dialog->GetDlgItem(kProgressText));
        const auto* bar = qobject_cast<QProgressBar*>(dialog->GetDlgItem(kProgressBar));
        std::string note = "bar " + (text ? text->text().toStdString() : "(no text)");
        if (bar) {
            note += " " + std::to_string(bar->minimum()) + ".." + std::to_string(bar->maximum()) +
                    " at " + std::to_string(bar->value());
        }
        m_note(note);
    }
    return false;
}
