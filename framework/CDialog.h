#pragma once

#include <QDialog>

#include "framework/DialogControls.h"
#include "framework/DialogTemplate.h"

// What a dialog ends with: the default button (id 1) gives IDOK; Escape, the close box and a
// button with id 2 give IDCANCEL.
enum : int {
    IDOK = 1,
    IDCANCEL = 2,
};

// A dialog built from the dialog template of its number. Made with no parent, it is owned by
// the main window. Whatever state its owner is in, the dialog itself takes input: a notice must
// be answerable while a progress dialog holds the main window disabled.
class CDialog : public QDialog {
public:
    explicit CDialog(DialogTemplate dialogTemplate, QWidget* parent = nullptr);

    // Shows the dialog over its owner and returns IDOK or IDCANCEL once it ends.
    int DoModal();
    // Writes the members into the controls: when the dialog opens, and on UpdateData(false).
    virtual void DoDataExchange() {}
    // No control of ours takes input, so there is nothing to read back: only false acts.
    void UpdateData(bool bSaveAndValidate);
    QWidget* GetDlgItem(int id) const { return m_controls.Item(id); }
    // Ends a modal dialog with `result`; a modeless one is hidden and lives on.
    void EndDialog(int result);

    // Escape and the close box come here.
    void reject() override { OnCancel(); }

protected:
    // The owner of a dialog whose parent is `parent`: its window, or with none the main window.
    static QWidget* GetSafeOwner(QWidget* parent);

    // Shows the dialog without a loop of its own, owned by the owner of `parent`.
    bool Create(QWidget* parent);

    // Data exchange of one static: the member's text goes into the control.
    void DDX_Text(int nIDC, const QString& value) const { m_controls.SetText(nIDC, value); }

    virtual bool OnInitDialog();
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

private:
    void ShowOverOwner();

    DialogTemplate m_template;
    DialogControls m_controls;
};
