#pragma once

#include "framework/CView.h"
#include "framework/DialogControls.h"
#include "framework/DialogTemplate.h"

class QScrollArea;

// A pane laid out from a dialog template, with the same controls and data exchange as a dialog
// built from it. A pane smaller than the template scrolls; a larger one gives its controls the
// room it has.
class CFormView : public CView {
public:
    explicit CFormView(const DialogTemplate& dialogTemplate, QWidget* parent = nullptr);

    QWidget* GetDlgItem(int id) const { return m_controls.Item(id); }
    // Writes the members into the controls on UpdateData(false).
    virtual void DoDataExchange() {}
    // No control of a form takes input, so there is nothing to read back: only false acts.
    void UpdateData(bool bSaveAndValidate);

protected:
    void DDX_Text(int nIDC, const QString& value) const { m_controls.SetText(nIDC, value); }

private:
    QScrollArea* m_scrollArea;
    QWidget* m_page; // the surface the controls stand on, scrolled inside the pane
    DialogControls m_controls;
};
