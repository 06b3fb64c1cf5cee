#pragma once

#include <QString>

#include "framework/CDialog.h"
#include "resources/ResourceIds.h"

// A notice that names the folder or file it is about in its name field.
class CNameNoticeDlg : public CDialog {
public:
    QString m_strName;

protected:
    using CDialog::CDialog;

    void DoDataExchange() override { DDX_Text(IDC_NAME, m_strName); }
};
