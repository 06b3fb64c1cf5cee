#pragma once

#include "framework/CDialog.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"

// A drive cannot be made the current one.
class CDriveUnavailableDlg : public CDialog {
public:
    explicit CDriveUnavailableDlg(QWidget* parent = nullptr)
        : CDialog(resources::LoadDialogTemplate(IDD_DRIVE_UNAVAILABLE), parent) {}
};
