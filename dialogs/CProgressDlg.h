#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include <chrono>

#include "framework/CDialog.h"

class QProgressBar;

// The modeless dialog of the long operations: a message and a bar, no button, nothing to
// cancel. While it exists its owner is disabled, so no command can start; each step first lets
// waiting events through, so the windows keep repainting.
class CProgressDlg : public CDialog {
    Q_OBJECT

public:
    // Events are let through at most every `pumpEvery`: a pump and a repaint for every entry
    // would cost far more than the entry itself.
    explicit CProgressDlg(std::chrono::milliseconds pumpEvery = std::chrono::milliseconds(30));
    ~CProgressDlg() override;

    // Shows the dialog owned by the window of `parent` (the main window with none) and
    // disables that owner unless it already was.
    bool Create(QWidget* parent = nullptr);
    // Enables the owner again, if this dialog disabled it, and hides the dialog.
    void DestroyWindow();

    void SetRange(int lower, int upper);
    // One step, which lets waiting events through first; past the upper bound the bar starts again
    // from the lower one.
    void StepIt();
    // Hides the dialog, its bar showing the last position; the owner stays disabled.
    void EndDialog(int result);
    // Lets waiting events through: painting and the desktop's housekeeping, but no input, which
    // the disabled owner drops. For an operation waiting between two steps.
    void PumpMessages();

    QString m_strText;

signals:
    // Every change of position, painted or not.
    void PositionChanged(int position);
    // Events are about to be let through: what is to be seen must be ready now.
    void Pumping();

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    // Enter and Escape must not end an operation that cannot be cancelled.
    void OnOK() override {}
    void OnCancel() override {}

private:
    void ReEnableOwner();
    int InRange(int position) const;
    void MoveTo(int position);
    // The bar shows the position only when events are let through: painting it at every step
    // would cost more than the step itself.
    void ShowPosition();
    void PumpWhenDue();

    QProgressBar* m_progress = nullptr;
    int m_lower = 0;
    int m_upper = 100;
    int m_position = 0;
    bool m_ownerDisabled = false;
    QPointer<QWidget> m_ownerFocus; // the owner's focus before it was disabled
    bool m_created = false;
    const std::chrono::milliseconds m_pumpEvery;
    QElapsedTimer m_sincePump;
};
