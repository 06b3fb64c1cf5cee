#pragma once

#include <optional>
#include <string>

#include "framework/CWinApp.h"

// The application: one document, one main window with four panes, and the About box. The main
// window opens at `startFolder` when there is one (a path as the user gave it).
class CVornApp : public CWinApp {
public:
    explicit CVornApp(std::optional<std::string> startFolder = std::nullopt);
    bool InitInstance() override;

private:
    void OnAppAbout();

    std::optional<std::string> m_startFolder;
};
