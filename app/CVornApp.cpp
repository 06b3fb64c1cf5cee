#include "app/CVornApp.h"

#include <utility>

#include "app/CMainFrame.h"
#include "dialogs/CAboutDlg.h"
#include "document/CVornDoc.h"
#include "resources/ResourceIds.h"

CVornApp::CVornApp(platform::Drives& drives, std::optional<std::string> startFolder)
    : m_drives(drives), m_startFolder(std::move(startFolder)) {
    MapCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
}

bool CVornApp::InitInstance() {
    AddDocTemplate(CSingleDocTemplate{[] { return std::make_unique<CVornDoc>(); },
                                      [this](CDocument* document) {
                                          return std::make_unique<CMainFrame>(
                                              static_cast<CVornDoc*>(document), m_drives,
                                              m_startFolder);
                                      }});
    return OnFileNew();
}

void CVornApp::OnAppAbout() {
    CAboutDlg about;
    about.DoModal();
}
