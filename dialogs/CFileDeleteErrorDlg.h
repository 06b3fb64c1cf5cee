#pragma once

#include "dialogs/CNameNoticeDlg.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"

// A file of the deletion could not be removed.
class CFileDeleteErrorDlg : public CNameNoticeDlg {
public:
    explicit CFileDeleteErrorDlg(QWidget* parent = nullptr)
        : CNameNoticeDlg(resources::LoadDialogTemplate(IDD_FILE_DELETE_ERROR), parent) {}
};
