#include "deletion/command/OnDeleteItems.h"

#include <vector>

#include "deletion/SelectedRowsDeleter.h"
#include "deletion/command/NoticeDialogs.h"
#include "deletion/command/ProgressDialogSteps.h"
#include "dialogs/CDeleteConfirmDlg.h"
#include "document/CVornDoc.h"
#include "document/Hints.h"
#include "views/CVornListView.h"

namespace deletion {

void OnDeleteItems(CVornListView& list) {
    DeleteSelectedRows(list, platform::FolderCalls::System());
}

void DeleteSelectedRows(CVornListView& list, const platform::FolderCalls& calls) {
    // What the user chose, by the exact names kept with the rows; a row is a folder by its
    // place among the folder rows.
    std::vector<SelectedRow> rows;
    for (int index : list.SelectedRows()) {
        rows.push_back({std::string(list.Row(index).name), index < list.FolderCount()});
    }
    if (rows.empty()) {
        return;
    }
    CDeleteConfirmDlg confirm;
    if (confirm.DoModal() != IDOK) {
        return;
    }
    ProgressDialogSteps progress;
    NoticeDialogs notices;
    SelectedRowsDeleter(notices, progress, calls).DeleteRows(rows);
    // Whatever happened, every pane shows what is left.
    list.GetDocument()->UpdateAllViews(nullptr, HINT_REFRESH_CURRENT);
    list.GetDocument()->UpdateAllViews(nullptr, HINT_AFTER_DELETE);
}

} // namespace deletion
