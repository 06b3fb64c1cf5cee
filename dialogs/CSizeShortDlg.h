#pragma once

#include "dialogs/CNameNoticeDlg.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"

// A folder could not be measured to its end, for want of descriptors or memory or as its reading
// failed half way: the sizes shown fall short. An empty name is the listed folder itself.
class CSizeShortDlg : public CNameNoticeDlg {
public:
    explicit CSizeShortDlg(QWidget* parent = nullptr)
        : CNameNoticeDlg(resources::LoadDialogTemplate(IDD_SIZE_SHORT), parent) {}
};
