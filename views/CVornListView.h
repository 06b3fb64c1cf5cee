#pragma once

#include <vector>

#include "framework/CView.h"
#include "measure/ListRow.h"
#include "platform/FolderCalls.h"
#include "views/CVornPaneView.h"

class ContentsListModel;
class QTreeView;

// The contents list: the entries of the current folder in five columns, folders first and
// each group largest first, with colour images that match the chart. It refills on every
// update that has a sender, reports the selected total, and asks the tree to open a folder
// row on a double-click.
class CVornListView : public CVornPaneView<CView> {
public:
    // The delete command: run on ID_DELETE_ITEMS, which only the contents list handles.
    using DeleteItems = void (*)(CVornListView& list);

    // `calls` open the folders the fill measures.
    explicit CVornListView(DeleteItems deleteItems, QWidget* parent = nullptr,
                           const platform::FolderCalls& calls = platform::FolderCalls::System());

    void OnUpdate(CView* pSender, long lHint, CObject* pHint) override;

    QTreeView* GetListCtrl() const { return m_list; }
    int FolderCount() const { return m_nFolderCount; }
    int RowCount() const;
    const measure::ListRow& Row(int index) const;
    // The selected rows in index order.
    std::vector<int> SelectedRows() const;

private:
    void CreateListCtrl();
    void FillList();
    void OnItemchanged();
    void OnDblclk();

    const platform::FolderCalls& m_calls;
    QTreeView* m_list = nullptr;
    ContentsListModel* m_model = nullptr;
    int m_nFolderCount = 0;
};
