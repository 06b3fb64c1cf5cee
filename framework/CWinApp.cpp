#include "framework/CWinApp.h"

#include "framework/AfxRes.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/ScreenPlacement.h"

namespace {

CWinApp* g_app = nullptr;

} // namespace

CWinApp::CWinApp() {
    g_app = this;
    MapCommand(ID_APP_EXIT, [this] { OnAppExit(); });
}

CWinApp::~CWinApp() {
    // The frame's views detach from the document as they go, so the frame goes first.
    m_mainFrame.reset();
    m_document.reset();
    if (g_app == this) {
        g_app = nullptr;
    }
}

void CWinApp::AddDocTemplate(CSingleDocTemplate docTemplate) {
    m_template = std::move(docTemplate);
}

bool CWinApp::CreateDocumentAndFrame() {
    m_document = m_template.createDocument();
    if (!m_document) {
        return false;
    }
    m_mainFrame = m_template.createFrame(m_document.get());
    if (!m_mainFrame || !m_document->OnNewDocument()) {
        m_mainFrame.reset();
        return false;
    }
    m_mainFrame->SetDocument(m_document.get());
    return true;
}

bool CWinApp::OnFileNew() {
    if (!CreateDocumentAndFrame()) {
        return false;
    }
    // The first update fills the panes under a progress dialog before the window is shown.
    // Placed now, the window is where that dialog centres itself, and where it then appears;
    // its panes take their first sizes from the size it is shown at.
    FitCentredOnScreen(*m_mainFrame);
    m_mainFrame->InitialUpdateFrame();
    m_mainFrame->show();
    return true;
}

void CWinApp::OnAppExit() {
    if (m_mainFrame) {
        m_mainFrame->close();
    }
}

CWinApp* AfxGetApp() {
    return g_app;
}

QWidget* AfxGetMainWnd() {
    return g_app ? g_app->MainFrame() : nullptr;
}
