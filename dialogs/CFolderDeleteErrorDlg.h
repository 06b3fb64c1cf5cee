#pragma once

#include "dialogs/CNameNoticeDlg.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"

// A folder of the deletion could not be entered or removed.
class CFolderDeleteErrorDlg : public CNameNoticeDlg {
public:
    explicit CFolderDeleteErrorDlg(QWidget* parent = nullptr)
        : CNameNoticeDlg(resources::LoadDialogTemplate(IDD_FOLDER_DELETE_ERROR), parent) {}
};
