#pragma once

#include "framework/CDialog.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"

// The one question before a deletion: IDOK deletes, IDCANCEL deletes nothing.
class CDeleteConfirmDlg : public CDialog {
public:
    explicit CDeleteConfirmDlg(QWidget* parent = nullptr)
        : CDialog(resources::LoadDialogTemplate(IDD_DELETE_CONFIRM), parent) {}
};
