#pragma once

#include "framework/CDialog.h"

// A drive cannot be made the current one.
class CDriveUnavailableDlg : public CDialog {
public:
    explicit CDriveUnavailableDlg(QWidget* parent = nullptr) : CDialog(157, parent) {}
};
