#pragma once

#include "dialogs/CNameNoticeDlg.h"

// A selected folder or file was gone when its deletion began.
class CDeleteNotFoundDlg : public CNameNoticeDlg {
public:
    explicit CDeleteNotFoundDlg(QWidget* parent = nullptr) : CNameNoticeDlg(163, parent) {}
};
