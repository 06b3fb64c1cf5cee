#pragma once

#include "framework/CWinApp.h"

// The application: one document, one main window with four panes, and the About box.
class CVornApp : public CWinApp {
public:
    CVornApp();
    bool InitInstance() override;

private:
    void OnAppAbout();
};
