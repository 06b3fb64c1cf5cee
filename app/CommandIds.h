#pragma once

// Command ids of the menu and the toolbar.
enum : unsigned {
    ID_FOLDER_UP = 32782,
    ID_DELETE_ITEMS = 32783,
    ID_REFRESH_CURRENT = 32787,
    ID_REFRESH_DRIVES = 32790,
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};
