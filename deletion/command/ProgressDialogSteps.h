#pragma once

#include <memory>

#include "deletion/DeletionProgress.h"

class CProgressDlg;

namespace deletion {

// The deletion's progress as the progress dialog. The dialog, and with it the disabled main
// window, lives until this object goes: after the panes have been refreshed.
class ProgressDialogSteps : public DeletionProgress {
public:
    ProgressDialogSteps();
    ~ProgressDialogSteps() override;

    void Begin(int upper) override;
    void Step() override;
    void Pump() override;
    void End() override;

private:
    std::unique_ptr<CProgressDlg> m_dialog;
};

} // namespace deletion
