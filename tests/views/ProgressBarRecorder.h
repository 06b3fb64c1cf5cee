#pragma once

#include <QObject>

#include <vector>

// Records every position the bar of any progress dialog takes while this object lives, from the
// moment the dialog is shown, whether or not it was painted.
class ProgressBarRecorder : public QObject {
public:
    ProgressBarRecorder();
    ~ProgressBarRecorder() override;

    std::vector<int> values;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
