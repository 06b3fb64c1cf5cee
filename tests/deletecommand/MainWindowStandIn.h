#pragma once

#include <memory>

#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CWinApp.h"

// An application whose main window is a bare frame, so that dialogs made with no parent have
// an owner to disable and enable again, as in the running program.
class MainWindowStandIn : public CWinApp {
public:
    MainWindowStandIn() {
        AddDocTemplate({[] { return std::make_unique<CDocument>(); },
                        [](CDocument*) { return std::make_unique<CFrameWnd>(); }});
        CreateDocumentAndFrame();
        MainFrame()->show();
    }

    bool InitInstance() override { return true; }
};
