#pragma once

#include "framework/CDialog.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"

// The tool's name and version.
class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(QWidget* parent = nullptr)
        : CDialog(resources::LoadDialogTemplate(IDD_ABOUTBOX), parent) {}
};
