#pragma once

#include <optional>
#include <string>

#include "framework/CFrameWnd.h"
#include "platform/Drives.h"

class CVornDoc;
class CVornFormView;
class CVornListView;
class CVornTreeView;
class CVornView;
class QSplitter;
class QToolBar;

// The main window: menu, toolbar, status bar, and the four panes in three nested splitters.
// The panes attach to the document in the order list, tree, form, chart, which is the order
// every broadcast visits them. With a start folder, the tree selects that folder at the first
// update instead of the start drive.
class CMainFrame : public CFrameWnd {
public:
    CMainFrame(CVornDoc* document, platform::Drives& drives,
               const std::optional<std::string>& startFolder = std::nullopt);

    CVornListView* ListView() const { return m_listView; }
    CVornTreeView* TreeView() const { return m_treeView; }
    CVornFormView* FormView() const { return m_formView; }
    CVornView* ChartView() const { return m_chartView; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnCreateClient(CVornDoc* document, platform::Drives& drives,
                        const std::optional<std::string>& startFolder);
    void OnCreate();
    void CreateMenu();
    void CreateToolBar();
    QAction* CommandAction(unsigned id, const QString& text);

    QToolBar* m_wndToolBar = nullptr;
    QSplitter* m_wndSplitter = nullptr;
    QSplitter* m_wndSplitterRight = nullptr;
    QSplitter* m_wndSplitterBottom = nullptr;
    CVornListView* m_listView = nullptr;
    CVornTreeView* m_treeView = nullptr;
    CVornFormView* m_formView = nullptr;
    CVornView* m_chartView = nullptr;
    bool m_panesSized = false;
};
