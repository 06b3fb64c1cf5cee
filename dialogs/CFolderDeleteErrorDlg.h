#pragma once

#include "dialogs/CNameNoticeDlg.h"

// A folder of the deletion could not be entered or removed.
class CFolderDeleteErrorDlg : public CNameNoticeDlg {
public:
    explicit CFolderDeleteErrorDlg(QWidget* parent = nullptr) : CNameNoticeDlg(164, parent) {}
};
