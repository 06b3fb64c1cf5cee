#pragma once

#include <functional>
#include <memory>

#include "framework/CCmdTarget.h"

class CDocument;
class CFrameWnd;
class QWidget;

// How the one document and its main window are made.
struct CSingleDocTemplate {
    std::function<std::unique_ptr<CDocument>()> createDocument;
    std::function<std::unique_ptr<CFrameWnd>(CDocument*)> createFrame;
};

// The application: owns the document and the main window, ends the route of commands.
class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;

    virtual bool InitInstance() = 0;

    void AddDocTemplate(CSingleDocTemplate docTemplate);
    // Makes the document and the main window, sends the first update and shows the window.
    bool OnFileNew();
    // Closes the main window, which ends the application.
    void OnAppExit();

    CFrameWnd* MainFrame() const { return m_mainFrame.get(); }
    CDocument* Document() const { return m_document.get(); }

    // Creates the frame and document without showing them, for tools and tests.
    bool CreateDocumentAndFrame();

private:
    CSingleDocTemplate m_template;
    std::unique_ptr<CDocument> m_document;
    std::unique_ptr<CFrameWnd> m_mainFrame;
};

CWinApp* AfxGetApp();

// The main window: the owner of every dialog made with no parent.
QWidget* AfxGetMainWnd();
