#include "framework/CFormView.h"

#include "resources/Resources.h"

CFormView::CFormView(unsigned templateId, QWidget* parent)
    : CView(parent), m_controls(resources::LoadDialogTemplate(templateId), this) {}

void CFormView::UpdateData(bool bSaveAndValidate) {
    if (!bSaveAndValidate) {
        DoDataExchange();
    }
}
