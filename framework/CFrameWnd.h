#pragma once

#include <QMainWindow>

#include <map>

#include "framework/CCmdTarget.h"

class CDocument;
class CView;
class QAction;
class QLabel;
class QMenu;
class QStyle;

// The main window: bars, panes and the route of commands. A command goes to the active view,
// then the document, the frame and the application; its menu items and buttons are enabled
// only while some object on that route handles it.
class CFrameWnd : public QMainWindow, public CCmdTarget {
public:
    CFrameWnd();
    ~CFrameWnd() override;

    CView* GetActiveView() const { return m_activeView; }
    void SetActiveView(CView* view);
    void ViewDestroyed(CView* view);

    void SetDocument(CDocument* document) { m_document = document; }

    // Runs the command along the route; false when nobody handles it.
    bool RouteCommand(unsigned id);
    bool IsCommandEnabled(unsigned id) const;

    // Registers the action that stands for a command; several actions may share one.
    void AddCommandAction(unsigned id, QAction* action);
    void UpdateCommandUI();

    // A pop-up menu at the end of the menu bar. Each of its items shows its prompt when it is
    // highlighted, enabled or not.
    QMenu* AddMenu(const QString& title);

    // The idle text of the status bar, shown whenever no prompt is.
    void SetIdleMessage(const QString& text);

    // Sends the first update to every view: depth first over the panes in creation order.
    void InitialUpdateFrame();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FocusChanged(QWidget* now);

    QMetaObject::Connection m_focusConnection;
    CView* m_activeView = nullptr;
    CDocument* m_document = nullptr;
    std::multimap<unsigned, QAction*> m_actions;
    QLabel* m_idleLabel = nullptr;
    QStyle* m_menuStyle = nullptr;
};
