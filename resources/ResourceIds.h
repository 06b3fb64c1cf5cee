#pragma once

#include "framework/AfxRes.h"

// Every resource and command id of the application. The resource tables and the code that asks
// for them both use these names, so a number lives in one place.
enum : unsigned {
    // The main window's menu, toolbar, icon and document template string.
    IDR_MAINFRAME = 128,
    IDR_DOCUMENT = 129,

    // Dialog templates.
    IDD_ABOUTBOX = 100,
    IDD_PROGRESS = 102,
    IDD_DISK_FIGURES = 130,
    IDD_FOLDER_NOT_FOUND = 135,
    IDD_DRIVE_UNAVAILABLE = 157,
    IDD_DELETE_CONFIRM = 160,
    IDD_FILE_DELETE_ERROR = 162,
    IDD_DELETE_NOT_FOUND = 163,
    IDD_FOLDER_DELETE_ERROR = 164,
    IDD_SIZE_SHORT = 165,

    // Icons of the notices.
    IDI_NOTICE = 136,
    IDI_QUESTION = 161,

    // Bitmaps: the tree's three images, the contents list's image 0, then its images 1 to 13 in
    // a row.
    IDB_DRIVE = 131,
    IDB_FOLDER_CLOSED = 132,
    IDB_FOLDER_OPEN = 133,
    IDB_LIST_IMAGE_0 = 134,
    IDB_LIST_IMAGE_1 = 137,
    IDB_LIST_IMAGE_13 = 149,

    // Strings.
    IDS_PROGRESS_CAPTION = 103,
    AFX_IDS_APP_TITLE = 57344,
    AFX_IDS_IDLEMESSAGE = 57345,
    // Each pane's name and description for screen readers.
    IDS_TREE_PANE = 170,
    IDS_LIST_PANE = 171,
    IDS_DISK_FIGURES_PANE = 172,
    IDS_CHART_PANE = 173,

    // Controls of the dialog templates.
    IDC_PROGRESS_BAR = 1003,
    IDC_DISK_TOTAL = 1012,
    IDC_DISK_FREE = 1013,
    IDC_CURRENT_TOTAL = 1014,
    IDC_SELECTED_SIZE = 1015,
    IDC_PROGRESS_TEXT = 1019,
    IDC_NAME = 1020,

    // The application's own commands of the menu and the toolbar.
    ID_FOLDER_UP = 32782,
    ID_DELETE_ITEMS = 32783,
    ID_REFRESH_CURRENT = 32787,
    ID_REFRESH_DRIVES = 32790,
};
