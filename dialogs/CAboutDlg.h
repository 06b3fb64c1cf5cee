#pragma once

#include "framework/CDialog.h"

// The tool's name and version.
class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(QWidget* parent = nullptr) : CDialog(100, parent) {}
};
