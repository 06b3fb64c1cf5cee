#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/DriveTable.h"
#include "platform/FileDescriptor.h"
#include "platform/FolderAncestry.h"
#include "platform/RememberedFolder.h"

namespace platform {

// The process's current drive and the folder last current on each other drive. The working
// directory itself is the current drive's folder. User-interface thread only.
class CurrentDrive {
public:
    explicit CurrentDrive(DriveTable& table) : m_table(table) {}

    int Drive();
    int Change(int drive);
    int Enter(const std::string& name);
    // The folder that is, or on making `drive` current would be, its current folder.
    FileDescriptor FolderOf(int drive);

private:
    void Start();
    FileDescriptor ReturnFolder(int drive, FolderId& rootId);
    int EnterRoot();
    int EnterPath(std::string_view path);

    DriveTable& m_table;
    bool m_started = false;
    int m_drive = 0;
    FolderId m_root; // where ".." stops
    // Each other drive's last folder, by its names: an open descriptor would keep the volume
    // from being unmounted.
    std::map<int, RememberedFolder> m_remembered;
};

} // namespace platform
