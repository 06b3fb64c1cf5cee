#pragma once

#include "dialogs/CNameNoticeDlg.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"

// A folder to enter or to open is not there.
class CFolderNotFoundDlg : public CNameNoticeDlg {
public:
    explicit CFolderNotFoundDlg(QWidget* parent = nullptr)
        : CNameNoticeDlg(resources::LoadDialogTemplate(IDD_FOLDER_NOT_FOUND), parent) {}
};
