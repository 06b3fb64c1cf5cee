#pragma once

// The framework's standard command ids.
enum : unsigned {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};
