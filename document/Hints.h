#pragma once

// Update hints broadcast through the document. An open-folder request has no code of its own:
// it is told apart by its sender, the contents list, and carries the folder ordinal.
enum : long {
    HINT_CURRENT_FOLDER_CHANGED = 0,
    HINT_FOLDER_UP = 1,
    HINT_REFRESH_CURRENT = 2,
    HINT_REFRESH_DRIVES = 3,
    HINT_SELECTION_CHANGED = 5,
    HINT_AFTER_DELETE = 6,
};
