#pragma once

#include "dialogs/CNameNoticeDlg.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"

// A selected folder or file was gone when its deletion began.
class CDeleteNotFoundDlg : public CNameNoticeDlg {
public:
    explicit CDeleteNotFoundDlg(QWidget* parent = nullptr)
        : CNameNoticeDlg(resources::LoadDialogTemplate(IDD_DELETE_NOT_FOUND), parent) {}
};
