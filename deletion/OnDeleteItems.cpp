// The contents list's delete command. It lives with the rest of the deletion code.
#include <vector>

#include "deletion/NoticeDialogs.h"
#include "deletion/ProgressDialogSteps.h"
#include "deletion/SelectedRowsDeleter.h"
#include "dialogs/CDeleteConfirmDlg.h"
#include "views/CVornListView.h"

void CVornListView::OnDeleteItems() {
    // What the user chose, by the exact names kept with the rows; a row is a folder by its
    // place among the folder rows.
    std::vector<deletion::SelectedRow> rows;
    for (int index : SelectedRows()) {
        rows.push_back({Row(index).name, index < m_nFolderCount});
    }
    if (rows.empty()) {
        return;
    }
    CDeleteConfirmDlg confirm;
    if (confirm.DoModal() != IDOK) {
        return;
    }
    deletion::ProgressDialogSteps progress;
    deletion::NoticeDialogs notices;
    deletion::SelectedRowsDeleter(notices, progress).DeleteRows(rows);
    // Whatever happened, every pane shows what is left.
    GetDocument()->UpdateAllViews(nullptr, HINT_REFRESH_CURRENT);
    GetDocument()->UpdateAllViews(nullptr, HINT_AFTER_DELETE);
}
