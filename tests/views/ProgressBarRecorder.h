#pragma once

#include <QObject>
#include <QRect>

#include <vector>

// Records every position the bar of any progress dialog takes while this object lives, from the
// moment the dialog is shown, whether or not it was painted.
class ProgressBarRecorder : public QObject {
public:
    ProgressBarRecorder();
    ~ProgressBarRecorder() override;

    std::vector<int> values;
    // How often events were let through.
    int pumps = 0;
    // Where each dialog stood on the screen as it was shown.
    std::vector<QRect> placements;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
