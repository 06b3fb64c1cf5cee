#include "app/CMainFrame.h"

#include <QAction>
#include <QMenu>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <vector>

#include "deletion/command/OnDeleteItems.h"
#include "document/CVornDoc.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"
#include "views/CVornFormView.h"
#include "views/CVornListView.h"
#include "views/CVornTreeView.h"
#include "views/CVornView.h"

namespace {

constexpr int kInitialWidth = 960;
constexpr int kInitialHeight = 700;
constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 15;

// A prompt string holds the status-bar text, then after a line break the tooltip.
QStringList PromptParts(unsigned id) {
    return resources::LoadString(id).split(QLatin1Char('\n'));
}

// The n-th button's cell of every strip, cut in the strip's own device pixels.
QIcon ButtonImage(const std::vector<QPixmap>& strips, int n) {
    QIcon image;
    for (const QPixmap& strip : strips) {
        const qreal ratio = strip.devicePixelRatio();
        const QRectF cell(n * kButtonWidth, 0, kButtonWidth, kButtonHeight);
        image.addPixmap(strip.copy(QRectF(cell.topLeft() * ratio, cell.size() * ratio).toRect()));
    }
    return image;
}

} // namespace

CMainFrame::CMainFrame(CVornDoc* document, platform::Drives& drives,
                       const std::optional<std::string>& startFolder) {
    // The document's name, then the window title of the document template string.
    const QStringList templateParts = resources::LoadString(IDR_MAINFRAME).split(QLatin1Char('\n'));
    setWindowTitle(templateParts.value(1) + QStringLiteral(" - ") + templateParts.value(0));
    setWindowIcon(resources::LoadIcon(IDR_MAINFRAME));
    // The first size, where the screen holds it: the framework fits the window to the screen.
    resize(kInitialWidth, kInitialHeight);
    SetDocument(document);
    OnCreateClient(document, drives, startFolder);
    OnCreate();
    // The tree is the first pane: it is the active one when the window first shows.
    SetActiveView(m_treeView);
    m_treeView->setFocus();
}

void CMainFrame::OnCreateClient(CVornDoc* document, platform::Drives& drives,
                                const std::optional<std::string>& startFolder) {
    m_wndSplitter = new QSplitter(Qt::Horizontal, this);
    setCentralWidget(m_wndSplitter);
    m_wndSplitterRight = new QSplitter(Qt::Vertical, m_wndSplitter);
    m_listView = new CVornListView(deletion::OnDeleteItems, m_wndSplitterRight);
    m_listView->AttachDocument(document);
    m_treeView = new CVornTreeView(drives);
    m_wndSplitter->insertWidget(0, m_treeView);
    m_treeView->AttachDocument(document);
    if (startFolder) {
        m_treeView->SetStartFolder(*startFolder);
    }
    m_wndSplitterBottom = new QSplitter(Qt::Horizontal, m_wndSplitterRight);
    m_formView = new CVornFormView(drives, m_wndSplitterBottom);
    m_formView->AttachDocument(document);
    m_chartView = new CVornView(m_wndSplitterBottom);
    m_chartView->AttachDocument(document);

    for (QSplitter* splitter : {m_wndSplitter, m_wndSplitterRight, m_wndSplitterBottom}) {
        splitter->setChildrenCollapsible(false);
    }
}

void CMainFrame::showEvent(QShowEvent* event) {
    CFrameWnd::showEvent(event);
    if (m_panesSized) {
        return;
    }
    m_panesSized = true;
    // The splitters have their space only now. The panes' first sizes are shares of the whole
    // window as it is first shown, the bars' room included; the last pane of each splitter
    // takes what is left.
    const int width = this->width();
    const int height = this->height();
    const auto firstAndRest = [](QSplitter* splitter, int first) {
        const int total =
            splitter->orientation() == Qt::Horizontal ? splitter->width() : splitter->height();
        splitter->setSizes({first, std::max(0, total - first - splitter->handleWidth())});
    };
    firstAndRest(m_wndSplitter, width / 3);
    firstAndRest(m_wndSplitterRight, height * 3 / 7);
    firstAndRest(m_wndSplitterBottom, width * 2 / 7);
}

void CMainFrame::OnCreate() {
    CreateToolBar();
    SetIdleMessage(resources::LoadString(AFX_IDS_IDLEMESSAGE));
    // The bars can be hidden only through these two commands, so their menu items' check
    // marks stay true to what is shown.
    setContextMenuPolicy(Qt::PreventContextMenu);
    MapCommand(ID_VIEW_TOOLBAR, [this] { m_wndToolBar->setVisible(!m_wndToolBar->isVisible()); });
    MapCommand(ID_VIEW_STATUS_BAR, [this] { statusBar()->setVisible(!statusBar()->isVisible()); });
    CreateMenu();
}

QAction* CMainFrame::CommandAction(unsigned id, const QString& text) {
    auto* action = new QAction(text, this);
    const QStringList prompt = PromptParts(id);
    action->setStatusTip(prompt.value(0));
    action->setToolTip(prompt.value(1, text));
    AddCommandAction(id, action);
    return action;
}

void CMainFrame::CreateMenu() {
    for (const resources::PopupResource& popup : resources::LoadMenu(IDR_MAINFRAME)) {
        QMenu* menu = AddMenu(popup.text);
        for (const resources::MenuItemResource& item : popup.items) {
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* action = CommandAction(item.id, item.text);
            if (item.id == ID_VIEW_TOOLBAR || item.id == ID_VIEW_STATUS_BAR) {
                action->setCheckable(true);
                action->setChecked(true);
            }
            menu->addAction(action);
        }
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
    }
}

void CMainFrame::CreateToolBar() {
    m_wndToolBar = new QToolBar(this);
    m_wndToolBar->setObjectName(QStringLiteral("toolbar"));
    m_wndToolBar->setIconSize(QSize(kButtonWidth, kButtonHeight));
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    std::vector<QPixmap> strips;
    for (qreal ratio : resources::kDrawnRatios) {
        strips.push_back(resources::LoadBitmap(IDR_MAINFRAME, ratio));
    }
    int image = 0;
    for (unsigned id : resources::LoadToolBar(IDR_MAINFRAME)) {
        if (id == 0) {
            m_wndToolBar->addSeparator();
            continue;
        }
        QAction* action = CommandAction(id, PromptParts(id).value(1));
        action->setIcon(ButtonImage(strips, image++));
        m_wndToolBar->addAction(action);
    }
}
