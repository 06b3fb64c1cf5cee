#pragma once

#include <string>
#include <vector>

#include "platform/FolderCalls.h"

namespace deletion {

class DeletionNotices;
class DeletionProgress;

// One selected row of the contents list: the exact name bytes kept with it, never its display
// text, and whether the list shows it among the folders.
struct SelectedRow {
    std::string name;
    bool isFolder = false;
};

// The delete command's walk over the selected rows, after the user has confirmed it. Names are
// those of the working directory, which is the current folder and stays so.
class SelectedRowsDeleter {
public:
    static constexpr int kStepsPerRow = 10; // the progress bar's default step

    SelectedRowsDeleter(DeletionNotices& notices, DeletionProgress& progress,
                        const platform::FolderCalls& calls = platform::FolderCalls::System())
        : m_notices(notices), m_progress(progress), m_calls(calls) {}

    // Deletes the rows in the order given, each folder with everything beneath it, advancing the
    // bar after each. Stops at the first failure: the bar is hidden, then its notice shown, and
    // later rows are not touched. The bar is hidden at the end in any case. True when every row
    // was deleted.
    bool DeleteRows(const std::vector<SelectedRow>& rows);

private:
    int Delete(const SelectedRow& row);

    DeletionNotices& m_notices;
    DeletionProgress& m_progress;
    const platform::FolderCalls& m_calls;
};

} // namespace deletion
