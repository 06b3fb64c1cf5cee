#pragma once

#include "platform/FolderCalls.h"

class CVornListView;

namespace deletion {

// The contents list's delete command: after one confirmation, deletes the selected rows' folders
// and files for good, under the progress dialog, telling the first failure with its notice; then
// every pane shows what is left.
void OnDeleteItems(CVornListView& list);
// The same, removing through `calls`.
void DeleteSelectedRows(CVornListView& list, const platform::FolderCalls& calls);

} // namespace deletion
