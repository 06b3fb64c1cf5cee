#include "framework/CDialog.h"

#include <QPushButton>
#include <QScreen>

#include <utility>

#include "framework/CWinApp.h"
#include "framework/DialogTemplate.h"
#include "framework/ScreenPlacement.h"

namespace {

Qt::WindowFlags WindowFlags(const DialogTemplate& dialogTemplate) {
    if (dialogTemplate.systemMenu) {
        return Qt::Dialog;
    }
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
}

} // namespace

CDialog::CDialog(DialogTemplate dialogTemplate, QWidget* parent)
    : QDialog(GetSafeOwner(parent)), m_template(std::move(dialogTemplate)),
      m_controls(m_template, this) {
    setWindowFlags(WindowFlags(m_template));
    setWindowTitle(m_template.caption);
    // A long text is cut at its control's edge; it never grows the dialog.
    setFixedSize(m_controls.Size());
    if (auto* ok = qobject_cast<QPushButton*>(GetDlgItem(IDOK))) {
        connect(ok, &QPushButton::clicked, this, &CDialog::OnOK);
    }
    if (auto* cancel = qobject_cast<QPushButton*>(GetDlgItem(IDCANCEL))) {
        connect(cancel, &QPushButton::clicked, this, &CDialog::OnCancel);
    }
}

QWidget* CDialog::GetSafeOwner(QWidget* parent) {
    return parent ? parent->window() : AfxGetMainWnd();
}

int CDialog::DoModal() {
    OnInitDialog();
    ShowOverOwner();
    return exec();
}

bool CDialog::Create(QWidget* parent) {
    setParent(GetSafeOwner(parent), windowFlags());
    OnInitDialog();
    ShowOverOwner();
    show();
    return true;
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::UpdateData(bool bSaveAndValidate) {
    if (!bSaveAndValidate) {
        DoDataExchange();
    }
}

void CDialog::EndDialog(int result) {
    done(result);
}

void CDialog::ShowOverOwner() {
    // Qt disables a dialog with its owner; ours stays usable, as an owned window should.
    setEnabled(true);
    const QWidget* owner = parentWidget();
    PlaceOver(*this, owner ? owner->frameGeometry() : screen()->availableGeometry());
}
