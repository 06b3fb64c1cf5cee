#pragma once

#include <QIcon>

#include "framework/CView.h"

class FolderRequest;
class FolderTreeCtrl;
class FolderTreeItem;

// The drive and folder pane, and the one part that moves the current folder: the process's
// working directory is always the folder of the selected item once an operation has ended.
// Drive items carry their drive numbers, folder items their ordinals and exact names; a
// folder's children are listed when it is selected, one level at a time.
class CVornTreeView : public CView {
public:
    explicit CVornTreeView(QWidget* parent = nullptr);
    ~CVornTreeView() override;

    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, long lHint, CObject* pHint) override;

    FolderTreeCtrl& GetTreeCtrl() const { return *m_tree; }

protected:
    void OnSelchanged();
    void OnFolderUp();
    void OnRefreshCurrent();
    void OnRefreshDrives();

private:
    void ApplySelection();
    void OpenRequestedFolder(long ordinal, const FolderRequest* request);

    FolderTreeItem* AddDriveItem(bool expanded);
    FolderTreeItem* FindDriveItem(long drive) const;
    FolderTreeItem* FirstDriveItemFrom(int drive) const;
    void SelectFirstUsableDrive(long failedDrive);

    void FillChildFolders(FolderTreeItem* parent);
    int EnterItemFolder(FolderTreeItem* item);
    int EnterSelectedFolder();
    int EnterSelectedDrive();

    FolderTreeCtrl* m_tree;
    QIcon m_driveImage;
    QIcon m_folderImage;
};
