#include "app/CVornApp.h"

#include "app/CMainFrame.h"
#include "app/CommandIds.h"
#include "dialogs/CAboutDlg.h"
#include "document/CVornDoc.h"

CVornApp::CVornApp() {
    MapCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
}

bool CVornApp::InitInstance() {
    AddDocTemplate(CSingleDocTemplate{[] { return std::make_unique<CVornDoc>(); },
                                      [](CDocument* document) {
                                          return std::make_unique<CMainFrame>(
                                              static_cast<CVornDoc*>(document));
                                      }});
    return OnFileNew();
}

void CVornApp::OnAppAbout() {
    CAboutDlg about;
    about.DoModal();
}
