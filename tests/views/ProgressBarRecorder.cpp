#include "ProgressBarRecorder.h"

#include <QApplication>
#include <QEvent>

#include "dialogs/CProgressDlg.h"

// Marks a dialog already recorded, should it be shown again.
constexpr char kRecorded[] = "recordedByTest";

ProgressBarRecorder::ProgressBarRecorder() {
    qApp->installEventFilter(this);
}

ProgressBarRecorder::~ProgressBarRecorder() {
    qApp->removeEventFilter(this);
}

bool ProgressBarRecorder::eventFilter(QObject* watched, QEvent* event) {
    auto* dialog = event->type() == QEvent::Show ? dynamic_cast<CProgressDlg*>(watched) : nullptr;
    if (dialog && !dialog->property(kRecorded).toBool()) {
        dialog->setProperty(kRecorded, true);
        placements.push_back(dialog->geometry());
        connect(dialog, &CProgressDlg::PositionChanged, this,
                [this](int value) { values.push_back(value); });
        connect(dialog, &CProgressDlg::Pumping, this, [this] { ++pumps; });
    }
    return false;
}
