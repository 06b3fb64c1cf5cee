#include "deletion/command/ProgressDialogSteps.h"

#include "dialogs/CProgressDlg.h"

namespace deletion {

ProgressDialogSteps::ProgressDialogSteps() = default;
ProgressDialogSteps::~ProgressDialogSteps() = default;

void ProgressDialogSteps::Begin(int upper) {
    m_dialog = std::make_unique<CProgressDlg>();
    m_dialog->m_strText = QStringLiteral("削除中です．．．");
    m_dialog->Create();
    m_dialog->SetRange(0, upper);
}

void ProgressDialogSteps::Step() {
    m_dialog->StepIt();
}

void ProgressDialogSteps::Pump() {
    m_dialog->PumpMessages();
}

void ProgressDialogSteps::End() {
    m_dialog->EndDialog(0);
}

} // namespace deletion
