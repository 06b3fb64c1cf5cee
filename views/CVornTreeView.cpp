#include "views/CVornTreeView.h"

#include <QVBoxLayout>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/CDriveUnavailableDlg.h"
#include "dialogs/CFolderNotFoundDlg.h"
#include "dialogs/CProgressDlg.h"
#include "document/FolderRequest.h"
#include "document/Hints.h"
#include "framework/CDocument.h"
#include "platform/Crt.h"
#include "platform/EntryName.h"
#include "platform/WorkAside.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"
#include "views/DisplayName.h"
#include "views/FolderTreeCtrl.h"
#include "views/FolderTreeItem.h"
#include "views/PaneDescription.h"

namespace {

constexpr int kFirstDrive = 1;
constexpr int kLastDrive = 26;
// Steps of 10, one per drive number and one past the last item unless that is "[Z:]".
constexpr int kDriveSearchRange = 270;

QIcon TreeImage(unsigned normalBitmap, unsigned selectedBitmap) {
    QIcon image;
    for (qreal ratio : resources::kDrawnRatios) {
        image.addPixmap(resources::LoadBitmap(normalBitmap, ratio), QIcon::Normal);
        image.addPixmap(resources::LoadBitmap(selectedBitmap, ratio), QIcon::Selected);
    }
    return image;
}

// "\" alone names the drive's root, so a folder of that name is entered by a relative step.
std::string StepInto(const std::string& name) {
    return name == "\\" ? "./\\" : name;
}

const FolderTreeItem* DriveItemOf(const FolderTreeItem* item) {
    while (item && item->Parent()) {
        item = item->Parent();
    }
    return item;
}

// The child with the requested ordinal, unless the request names another folder: the folder
// may have changed between the list's reading and the tree's, and the name is what was opened.
FolderTreeItem* RequestedChild(const FolderTreeItem* parent, long ordinal,
                               const FolderRequest* request) {
    FolderTreeItem* named = nullptr;
    for (int index = 0; index < parent->childCount(); ++index) {
        FolderTreeItem* child = parent->Child(index);
        const bool nameMatches = !request || child->NameBytes() == request->Name();
        if (child->ItemData() == ordinal && nameMatches) {
            return child;
        }
        if (request && nameMatches && !named) {
            named = child;
        }
    }
    return named;
}

FolderTreeItem* ChildNamed(const FolderTreeItem* parent, const std::string& name) {
    for (int index = 0; index < parent->childCount(); ++index) {
        if (parent->Child(index)->NameBytes() == name) {
            return parent->Child(index);
        }
    }
    return nullptr;
}

} // namespace

CVornTreeView::CVornTreeView(platform::Drives& drives, QWidget* parent)
    : CView(parent), m_drives(drives), m_tree(new FolderTreeCtrl(this)),
      m_driveImage(TreeImage(IDB_DRIVE, IDB_DRIVE)),
      m_folderImage(TreeImage(IDB_FOLDER_CLOSED, IDB_FOLDER_OPEN)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);
    setFocusProxy(m_tree);
    DescribePane(m_tree, IDS_TREE_PANE);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &CVornTreeView::OnSelchanged);
    MapCommand(ID_FOLDER_UP, [this] { OnFolderUp(); });
    MapCommand(ID_REFRESH_CURRENT, [this] { OnRefreshCurrent(); });
    MapCommand(ID_REFRESH_DRIVES, [this] { OnRefreshDrives(); });
}

CVornTreeView::~CVornTreeView() {
    // The control and its items go after this object's own part: no selection report then.
    disconnect(m_tree, nullptr, this, nullptr);
}

void CVornTreeView::SetStartFolder(const std::string& folder) {
    m_startFolder = folder;
    platform::FolderRoute route;
    m_startRoute = m_drives.FindRoute(folder, route)
                       ? std::optional<platform::FolderRoute>(std::move(route))
                       : std::nullopt;
}

void CVornTreeView::OnInitialUpdate() {
    CView::OnInitialUpdate();
    FolderTreeItem* item = ListDrives();
    if (m_startFolder) {
        item = ReachStartFolder(item);
    }
    if (item) {
        m_tree->SelectItem(item);
    }
}

// Every usable drive, the start drive expanded with its folders; returns the item to select,
// none when the start drive cannot be used.
FolderTreeItem* CVornTreeView::ListDrives() {
    m_tree->DeleteAllItems();
    m_drives._chdir("\\");
    const int startDrive = m_drives._getdrive();
    for (int drive = kFirstDrive; drive <= kLastDrive; ++drive) {
        if (MakeDriveCurrent(drive) && drive != startDrive) {
            AddDriveItem(drive, false);
        }
    }
    FolderTreeItem* item = nullptr;
    if (startDrive >= kFirstDrive && startDrive <= kLastDrive) {
        if (!MakeDriveCurrent(startDrive)) {
            return nullptr;
        }
        item = AddDriveItem(startDrive, true);
        FillChildFolders(item);
    } else {
        // Started outside every drive: the first listed drive, at its own current folder.
        item = m_tree->GetRootItem(0);
        if (!item || !MakeDriveCurrent(item->ItemData())) {
            return nullptr;
        }
        FillChildFolders(item);
        item->setExpanded(true);
    }
    return item;
}

// The start folder's item, or with the notice `plainStart`, the tree then as it would be
// without a start folder.
FolderTreeItem* CVornTreeView::ReachStartFolder(FolderTreeItem* plainStart) {
    if (FolderTreeItem* folder = m_startRoute ? ListDownTo(*m_startRoute) : nullptr) {
        return folder;
    }
    CFolderNotFoundDlg notice;
    notice.m_strName = DisplayName(*m_startFolder);
    notice.DoModal();
    return plainStart;
}

// Lists each folder on the route from its drive's root down, as the selections of a user
// clicking down to the last one would, and returns the last one's item. A folder that is no
// longer listed or a step that fails ends the walk with none, and the drive item is left without
// the children listed on the way.
FolderTreeItem* CVornTreeView::ListDownTo(const platform::FolderRoute& route) {
    FolderTreeItem* drive = FindDriveItem(route.drive);
    if (!drive || EnterItemFolder(drive) != 0) {
        return nullptr;
    }
    FolderTreeItem* item = drive;
    for (const std::string& name : route.names) {
        m_tree->DeleteChildren(item);
        FillChildFolders(item);
        item = ChildNamed(item, name);
        if (!item || m_drives._chdir(StepInto(name)) != 0) {
            m_tree->DeleteChildren(drive);
            return nullptr;
        }
    }
    return item;
}

void CVornTreeView::OnUpdate(CView* pSender, long lHint, CObject* pHint) {
    if (pSender) {
        if (pSender != this) {
            OpenRequestedFolder(lHint, dynamic_cast<const FolderRequest*>(pHint));
        }
        return;
    }
    switch (lHint) {
    case HINT_FOLDER_UP:
        OnFolderUp();
        break;
    case HINT_REFRESH_CURRENT:
        OnRefreshCurrent();
        break;
    case HINT_REFRESH_DRIVES:
        OnRefreshDrives();
        break;
    default:
        break;
    }
}

void CVornTreeView::OnSelchanged() {
    ApplySelection();
}

void CVornTreeView::ApplySelection() {
    FolderTreeItem* item = m_tree->GetSelectedItem();
    if (!item) {
        return;
    }
    if (FolderTreeItem* parent = item->Parent()) {
        if (EnterSelectedFolder() != 0) {
            CFolderNotFoundDlg notice;
            notice.m_strName = DisplayName(item->NameBytes());
            notice.DoModal();
            // Climbs, one notice per level, until a level can be entered; its new listing
            // drops the items that have gone.
            m_tree->SelectItem(parent);
            return;
        }
    } else if (EnterSelectedDrive() != 0) {
        const long drive = item->ItemData();
        CDriveUnavailableDlg notice;
        notice.DoModal();
        SelectFirstUsableDrive(drive);
        m_tree->DeleteItem(FindDriveItem(drive));
        return;
    }
    m_tree->DeleteChildren(item);
    FillChildFolders(item);
    GetDocument()->UpdateAllViews(this, HINT_CURRENT_FOLDER_CHANGED);
}

void CVornTreeView::OpenRequestedFolder(long ordinal, const FolderRequest* request) {
    FolderTreeItem* selected = m_tree->GetSelectedItem();
    FolderTreeItem* target = nullptr;
    if (selected) {
        selected->setExpanded(true);
        target = RequestedChild(selected, ordinal, request);
    }
    if (target) {
        m_tree->SelectItem(target);
        return;
    }
    CFolderNotFoundDlg notice;
    notice.DoModal();
    GetDocument()->UpdateAllViews(this, HINT_CURRENT_FOLDER_CHANGED);
}

void CVornTreeView::OnFolderUp() {
    FolderTreeItem* item = m_tree->GetSelectedItem();
    if (!item || !item->Parent()) {
        return;
    }
    m_drives._chdir("..");
    m_tree->SelectItem(item->Parent());
}

void CVornTreeView::OnRefreshCurrent() {
    ApplySelection();
}

void CVornTreeView::OnRefreshDrives() {
    CProgressDlg progress;
    progress.m_strText = QStringLiteral("ﾄﾞﾗｲﾌﾞを検索中です．．．");
    progress.Create();
    progress.SetRange(0, kDriveSearchRange);
    // A drive whose file system no longer answers can hold its test for long: each test runs on
    // a thread of its own while this one lets the windows repaint. Nothing that repainting runs
    // touches the drives, and no command can start while the main window is disabled.
    platform::Meanwhile pump([&progress] { progress.PumpMessages(); });
    const auto usable = [this, &pump](long drive) {
        bool made = false;
        platform::RunAside([&] { made = MakeDriveCurrent(drive); }, pump);
        return made;
    };
    const int rememberedDrive = m_drives._getdrive();
    const FolderTreeItem* selectionDrive = DriveItemOf(m_tree->GetSelectedItem());
    const long selectedDrive = selectionDrive ? selectionDrive->ItemData() : 0;
    bool selectionMoved = false;
    // The drive items, in letter order, walked beside the drive numbers: each number is
    // tested once, and a number without an item gets one when its drive has become usable.
    for (int drive = kFirstDrive; drive <= kLastDrive;) {
        // Looked up afresh each round, as a selection made on the way may remove items.
        FolderTreeItem* item = FirstDriveItemFrom(drive);
        const long itemDrive = item ? item->ItemData() : kLastDrive + 1;
        if (item && !usable(itemDrive)) {
            if (itemDrive == selectedDrive) {
                SelectFirstUsableDrive(itemDrive);
                selectionMoved = true;
            }
            m_tree->DeleteItem(FindDriveItem(itemDrive));
        }
        for (; drive < itemDrive; ++drive) {
            if (usable(drive)) {
                AddDriveItem(drive, false);
            }
            progress.StepIt();
        }
        ++drive;
        progress.StepIt();
    }
    // The tests have moved the current drive; each drive still has its own folder.
    const FolderTreeItem* newDrive = DriveItemOf(m_tree->GetSelectedItem());
    m_drives._chdrive(selectionMoved && newDrive ? int(newDrive->ItemData()) : rememberedDrive);
    progress.DestroyWindow();
}

bool CVornTreeView::MakeDriveCurrent(long drive) {
    return m_drives._chdrive(int(drive)) == 0;
}

FolderTreeItem* CVornTreeView::AddDriveItem(int drive, bool expanded) {
    const QChar letter(char16_t(u'A' + drive - 1));
    auto* item = new FolderTreeItem(QStringLiteral("[%1:]").arg(letter), {}, drive, m_driveImage);
    m_tree->InsertSorted(nullptr, {item});
    item->setExpanded(expanded);
    return item;
}

FolderTreeItem* CVornTreeView::FindDriveItem(long drive) const {
    for (int index = 0; FolderTreeItem* item = m_tree->GetRootItem(index); ++index) {
        if (item->ItemData() == drive) {
            return item;
        }
    }
    return nullptr;
}

FolderTreeItem* CVornTreeView::FirstDriveItemFrom(int drive) const {
    for (int index = 0; FolderTreeItem* item = m_tree->GetRootItem(index); ++index) {
        if (item->ItemData() >= drive) {
            return item;
        }
    }
    return nullptr;
}

void CVornTreeView::SelectFirstUsableDrive(long failedDrive) {
    // When no other drive can be used the search ends after the last root item, and the
    // failed item keeps the selection until its caller removes it.
    for (int index = 0; FolderTreeItem* item = m_tree->GetRootItem(index); ++index) {
        if (item->ItemData() != failedDrive && MakeDriveCurrent(item->ItemData())) {
            m_tree->SelectItem(item);
            return;
        }
    }
}

void CVornTreeView::FillChildFolders(FolderTreeItem* parent) {
    platform::FindData entry;
    const std::intptr_t search = platform::_findfirst(entry);
    if (search == -1) {
        return;
    }
    std::vector<FolderTreeItem*> folders;
    long ordinal = 0;
    do {
        if (entry.isFolder && !platform::IsSelfOrParent(entry.name)) {
            folders.push_back(
                new FolderTreeItem(DisplayName(entry.name), entry.name, ordinal++, m_folderImage));
        }
    } while (platform::_findnext(search, entry) == 0);
    platform::_findclose(search);
    m_tree->InsertSorted(parent, std::move(folders));
}

int CVornTreeView::EnterItemFolder(FolderTreeItem* item) {
    std::vector<const FolderTreeItem*> chain;
    for (const FolderTreeItem* step = item; step; step = step->Parent()) {
        chain.push_back(step);
    }
    // From the drive's root, never from wherever the working directory happens to be.
    if (m_drives._chdrive(int(chain.back()->ItemData())) != 0 || m_drives._chdir("\\") != 0) {
        return -1;
    }
    for (auto folder = chain.rbegin() + 1; folder != chain.rend(); ++folder) {
        if (m_drives._chdir(StepInto((*folder)->NameBytes())) != 0) {
            return -1;
        }
    }
    return 0;
}

int CVornTreeView::EnterSelectedFolder() {
    m_drives._chdir("\\");
    FolderTreeItem* item = m_tree->GetSelectedItem();
    return item->Parent() ? EnterItemFolder(item) : 0;
}

int CVornTreeView::EnterSelectedDrive() {
    FolderTreeItem* item = m_tree->GetSelectedItem();
    if (item->Parent() || m_drives._chdrive(int(item->ItemData())) != 0) {
        return -1;
    }
    return m_drives._chdir("\\");
}
