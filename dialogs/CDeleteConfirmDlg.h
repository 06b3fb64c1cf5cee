#pragma once

#include "framework/CDialog.h"

// The one question before a deletion: IDOK deletes, IDCANCEL deletes nothing.
class CDeleteConfirmDlg : public CDialog {
public:
    explicit CDeleteConfirmDlg(QWidget* parent = nullptr) : CDialog(160, parent) {}
};
