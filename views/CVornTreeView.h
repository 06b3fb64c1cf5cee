#pragma once

#include <QIcon>

#include <optional>
#include <string>

#include "framework/CView.h"
#include "platform/Drives.h"
#include "platform/FolderRoute.h"

class FolderRequest;
class FolderTreeCtrl;
class FolderTreeItem;

// The drive and folder pane, and the one part that moves the current folder: the process's
// working directory is always the folder of the selected item once an operation has ended.
// Drive items carry their drive numbers, folder items their ordinals and exact names; a
// folder's children are listed when it is selected, one level at a time.
class CVornTreeView : public CView {
public:
    explicit CVornTreeView(platform::Drives& drives, QWidget* parent = nullptr);
    ~CVornTreeView() override;

    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, long lHint, CObject* pHint) override;

    FolderTreeCtrl& GetTreeCtrl() const { return *m_tree; }

    // The first update selects `folder` instead of the start drive, as if the user had clicked
    // down to it; when the tree cannot reach it, the folder-not-found notice names it as given.
    // It is looked up now, from the working directory as it is now.
    void SetStartFolder(const std::string& folder);

protected:
    void OnSelchanged();
    void OnFolderUp();
    void OnRefreshCurrent();
    void OnRefreshDrives();

private:
    void ApplySelection();
    void OpenRequestedFolder(long ordinal, const FolderRequest* request);

    FolderTreeItem* ListDrives();
    FolderTreeItem* ReachStartFolder(FolderTreeItem* plainStart);
    FolderTreeItem* ListDownTo(const platform::FolderRoute& route);

    // A usable drive is one that can be made current; a usable one is left current.
    bool MakeDriveCurrent(long drive);
    FolderTreeItem* AddDriveItem(int drive, bool expanded);
    FolderTreeItem* FindDriveItem(long drive) const;
    FolderTreeItem* FirstDriveItemFrom(int drive) const;
    void SelectFirstUsableDrive(long failedDrive);

    void FillChildFolders(FolderTreeItem* parent);
    int EnterItemFolder(FolderTreeItem* item);
    int EnterSelectedFolder();
    int EnterSelectedDrive();

    platform::Drives& m_drives;
    FolderTreeCtrl* m_tree;
    QIcon m_driveImage;
    QIcon m_folderImage;
    std::optional<std::string> m_startFolder;
    std::optional<platform::FolderRoute> m_startRoute;
};
