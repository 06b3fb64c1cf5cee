#include "framework/CFrameWnd.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "framework/CDocument.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "framework/MenuItemStyle.h"

namespace {

void InitialUpdateChildren(QObject* parent) {
    for (QObject* child : parent->children()) {
        if (auto* view = dynamic_cast<CView*>(child)) {
            view->OnInitialUpdate();
        } else {
            InitialUpdateChildren(child);
        }
    }
}

} // namespace

CFrameWnd::CFrameWnd() {
    m_focusConnection = connect(qApp, &QApplication::focusChanged, this,
                                [this](QWidget*, QWidget* now) { FocusChanged(now); });
}

CFrameWnd::~CFrameWnd() {
    // The panes go later, with the QWidget part, and move the focus as they go: by then this
    // object is no frame any more, and must not hear of it.
    disconnect(m_focusConnection);
}

void CFrameWnd::FocusChanged(QWidget* now) {
    for (QWidget* widget = now; widget && widget != this; widget = widget->parentWidget()) {
        if (auto* view = dynamic_cast<CView*>(widget)) {
            if (view->window() == this) {
                SetActiveView(view);
            }
            return;
        }
    }
}

void CFrameWnd::SetActiveView(CView* view) {
    if (m_activeView == view) {
        return;
    }
    m_activeView = view;
    UpdateCommandUI();
}

void CFrameWnd::ViewDestroyed(CView* view) {
    if (m_activeView == view) {
        m_activeView = nullptr;
    }
}

bool CFrameWnd::RouteCommand(unsigned id) {
    if (m_activeView && m_activeView->OnCmdMsg(id)) {
        return true;
    }
    if (m_document && m_document->OnCmdMsg(id)) {
        return true;
    }
    if (OnCmdMsg(id)) {
        return true;
    }
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(id);
}

bool CFrameWnd::IsCommandEnabled(unsigned id) const {
    const CWinApp* app = AfxGetApp();
    return (m_activeView && m_activeView->HandlesCommand(id)) ||
           (m_document && m_document->HandlesCommand(id)) || HandlesCommand(id) ||
           (app && app->HandlesCommand(id));
}

void CFrameWnd::AddCommandAction(unsigned id, QAction* action) {
    m_actions.emplace(id, action);
    connect(action, &QAction::triggered, this, [this, id] { RouteCommand(id); });
    action->setEnabled(IsCommandEnabled(id));
}

void CFrameWnd::UpdateCommandUI() {
    for (auto& [id, action] : m_actions) {
        action->setEnabled(IsCommandEnabled(id));
    }
}

QMenu* CFrameWnd::AddMenu(const QString& title) {
    if (!m_menuStyle) {
        m_menuStyle = new MenuItemStyle;
        m_menuStyle->setParent(this);
    }
    QMenu* menu = menuBar()->addMenu(title);
    menu->setStyle(m_menuStyle);
    return menu;
}

void CFrameWnd::SetIdleMessage(const QString& text) {
    if (!m_idleLabel) {
        m_idleLabel = new QLabel(statusBar());
        // A normal widget of the bar: prompts shown as temporary messages cover it.
        statusBar()->addWidget(m_idleLabel, 1);
    }
    m_idleLabel->setText(text);
}

void CFrameWnd::InitialUpdateFrame() {
    InitialUpdateChildren(this);
}

void CFrameWnd::closeEvent(QCloseEvent* event) {
    // A long operation disables the window; it cannot be closed under it.
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}
