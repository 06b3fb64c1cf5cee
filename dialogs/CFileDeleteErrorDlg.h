#pragma once

#include "dialogs/CNameNoticeDlg.h"

// A file of the deletion could not be removed.
class CFileDeleteErrorDlg : public CNameNoticeDlg {
public:
    explicit CFileDeleteErrorDlg(QWidget* parent = nullptr) : CNameNoticeDlg(162, parent) {}
};
