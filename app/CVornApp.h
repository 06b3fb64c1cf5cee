#pragma once

#include <optional>
#include <string>

#include "framework/CWinApp.h"
#include "platform/Drives.h"

// The application: one document, one main window with four panes over `drives`, and the About
// box. The main window opens at `startFolder` when there is one (a path as the user gave it).
class CVornApp : public CWinApp {
public:
    explicit CVornApp(platform::Drives& drives,
                      std::optional<std::string> startFolder = std::nullopt);
    bool InitInstance() override;

private:
    void OnAppAbout();

    platform::Drives& m_drives;
    std::optional<std::string> m_startFolder;
};
