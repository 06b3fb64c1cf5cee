#include "dialogs/CProgressDlg.h"

#include <QCoreApplication>
#include <QProgressBar>

#include <algorithm>
#include <utility>

#include "resources/ResourceIds.h"
#include "resources/Resources.h"

namespace {

constexpr int kStep = 10; // the bar's default step

} // namespace

CProgressDlg::CProgressDlg(std::chrono::milliseconds pumpEvery)
    : CDialog(resources::LoadDialogTemplate(IDD_PROGRESS)), m_pumpEvery(pumpEvery) {
    m_progress = qobject_cast<QProgressBar*>(GetDlgItem(IDC_PROGRESS_BAR));
}

CProgressDlg::~CProgressDlg() {
    DestroyWindow();
}

bool CProgressDlg::Create(QWidget* parent) {
    QWidget* owner = GetSafeOwner(parent);
    if (owner && owner->isEnabled()) {
        m_ownerFocus = owner->focusWidget();
        owner->setEnabled(false);
        m_ownerDisabled = true;
    }
    m_created = CDialog::Create(parent);
    if (!m_created) {
        ReEnableOwner();
        return false;
    }
    // Show the dialog at once, before the first step of a possibly long operation.
    PumpMessages();
    return true;
}

void CProgressDlg::DestroyWindow() {
    ReEnableOwner();
    if (m_created) {
        m_created = false;
        ShowPosition();
        hide();
    }
}

void CProgressDlg::ReEnableOwner() {
    if (m_ownerDisabled && parentWidget()) {
        parentWidget()->setEnabled(true);
        // Disabling took the focus from the pane that had it; the user goes on where they were.
        if (m_ownerFocus) {
            m_ownerFocus->setFocus();
        }
    }
    m_ownerDisabled = false;
}

void CProgressDlg::DoDataExchange() {
    DDX_Text(IDC_PROGRESS_TEXT, m_strText);
}

bool CProgressDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (m_progress) {
        m_progress->setRange(m_lower, m_upper);
    }
    m_position = m_lower;
    ShowPosition();
    setWindowTitle(resources::LoadString(IDS_PROGRESS_CAPTION));
    return true;
}

void CProgressDlg::SetRange(int lower, int upper) {
    m_lower = lower;
    m_upper = upper;
    if (m_progress) {
        m_progress->setRange(lower, upper);
    }
    MoveTo(InRange(m_position));
}

void CProgressDlg::StepIt() {
    PumpWhenDue();
    const int span = m_upper - m_lower;
    if (span <= 0) {
        return;
    }
    int next = m_position + kStep;
    if (next > m_upper) {
        next = (next - m_lower) % span + m_lower;
    }
    MoveTo(next);
}

int CProgressDlg::InRange(int position) const {
    return std::clamp(position, m_lower, std::max(m_lower, m_upper));
}

void CProgressDlg::MoveTo(int position) {
    if (std::exchange(m_position, position) != position) {
        emit PositionChanged(position);
    }
}

void CProgressDlg::ShowPosition() {
    if (m_progress) {
        m_progress->setValue(m_position);
    }
}

void CProgressDlg::EndDialog(int result) {
    ShowPosition();
    CDialog::EndDialog(result);
}

void CProgressDlg::PumpWhenDue() {
    if (!m_sincePump.isValid() || m_sincePump.elapsed() >= m_pumpEvery.count()) {
        PumpMessages();
    }
}

void CProgressDlg::PumpMessages() {
    emit Pumping();
    ShowPosition();
    // Input goes to the disabled owner, which drops it, or to this dialog, which has nothing to
    // act on: so nothing but painting and housekeeping runs in the middle of an operation, and
    // no input is held back to act once the operation has ended.
    QCoreApplication::processEvents();
    m_sincePump.restart();
}
