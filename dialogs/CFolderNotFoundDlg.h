#pragma once

#include "dialogs/CNameNoticeDlg.h"

// A folder to enter or to open is not there.
class CFolderNotFoundDlg : public CNameNoticeDlg {
public:
    explicit CFolderNotFoundDlg(QWidget* parent = nullptr) : CNameNoticeDlg(135, parent) {}
};
