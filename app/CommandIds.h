#pragma once

#include "framework/AfxRes.h"

// The application's own commands of the menu and the toolbar.
enum : unsigned {
    ID_FOLDER_UP = 32782,
    ID_DELETE_ITEMS = 32783,
    ID_REFRESH_CURRENT = 32787,
    ID_REFRESH_DRIVES = 32790,
};
