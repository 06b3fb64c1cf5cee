#include <unistd.h>

#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "dialogs/CDriveUnavailableDlg.h"
#include "dialogs/CFolderNotFoundDlg.h"
#include "document/CVornDoc.h"
#include "document/FolderRequest.h"
#include "document/Hints.h"
#include "resources/ResourceIds.h"
#include "support/FixedRoots.h"
#include "support/ModalAnswerer.h"
#include "support/TempTree.h"
#include "views/CVornTreeView.h"
#include "views/DisplayName.h"
#include "views/FolderTreeCtrl.h"
#include "views/FolderTreeItem.h"

namespace {

// Stands where the contents list does and hears what the tree tells it.
class ListStandIn : public CView {
public:
    void OnUpdate(CView* pSender, long lHint, CObject*) override { onUpdate(pSender, lHint); }

    std::function<void(CView*, long)> onUpdate;
};

// The tree pane on a document over drives that are folders of a temporary tree ("C" for
// drive 3 and so on). Every notice is recorded and closed.
class TreeView : public ::testing::Test {
protected:
    TreeView() {
        list.AttachDocument(&document);
        tree.AttachDocument(&document);
        // The selected path, marked when the user would not see it highlighted.
        list.onUpdate = [this](CView* sender, long hint) {
            if (sender == &tree && hint == HINT_CURRENT_FOLDER_CHANGED) {
                const QTreeWidgetItem* selected = tree.GetTreeCtrl().GetSelectedItem();
                QStringList path;
                for (const QTreeWidgetItem* item = selected; item; item = item->parent()) {
                    path.prepend(item->text(0));
                }
                const bool seen = selected && selected->isSelected();
                folderChanges.push_back(path.join('/').toStdString() +
                                        (seen ? "" : " (not highlighted)"));
            }
        };
    }

    // The drives of these letters stand for usable drives while their folders exist.
    void UseDrives(const std::string& letters) {
        for (char letter : letters) {
            disk.Folder(std::string(1, letter));
            roots.roots[letter - 'A' + 1] = Root(letter);
        }
    }
    std::string Root(char letter) const { return disk.Path(std::string(1, letter)); }
    // Takes a folder of the temporary tree away, as if from outside the application.
    void Remove(const std::string& relative) { std::filesystem::remove_all(disk.Path(relative)); }
    // Starts the pane with `folder` as the working directory and shows it, as the window
    // appears only after its first update.
    void StartIn(const std::string& folder) {
        ASSERT_EQ(::chdir(folder.c_str()), 0) << folder;
        tree.OnInitialUpdate();
        tree.show();
    }

    // "[C:]/alpha/beta" names the item "beta" below "alpha" below the drive item "[C:]"; ""
    // names the invisible root above the drive items, which is no folder item.
    QTreeWidgetItem* Node(const std::string& path) const {
        QTreeWidgetItem* item = tree.GetTreeCtrl().invisibleRootItem();
        for (const QString& text : QString::fromStdString(path).split('/', Qt::SkipEmptyParts)) {
            QTreeWidgetItem* parent = std::exchange(item, nullptr);
            for (int index = 0; parent && index < parent->childCount(); ++index) {
                item = parent->child(index)->text(0) == text ? parent->child(index) : item;
            }
        }
        return item;
    }
    FolderTreeItem* Item(const std::string& path) const {
        return static_cast<FolderTreeItem*>(Node(path));
    }
    // The texts of the item's children, in tree order.
    QStringList Texts(const std::string& path) const {
        const QTreeWidgetItem* parent = Node(path);
        QStringList texts;
        for (int index = 0; parent && index < parent->childCount(); ++index) {
            texts << parent->child(index)->text(0);
        }
        return texts;
    }
    // A click on the item, its ancestors opened first as the user would.
    void Click(const std::string& path, Qt::MouseButton button = Qt::LeftButton) {
        QTreeWidgetItem* item = Node(path);
        ASSERT_NE(item, nullptr) << path;
        for (QTreeWidgetItem* above = item->parent(); above; above = above->parent()) {
            above->setExpanded(true);
        }
        FolderTreeCtrl& control = tree.GetTreeCtrl();
        control.scrollToItem(item);
        QTest::mouseClick(control.viewport(), button, {}, control.visualItemRect(item).center());
    }

    testsupport::TempTree disk;
    testsupport::FixedRoots roots;
    platform::Drives drives{roots};
    CVornDoc document;
    ListStandIn list;
    CVornTreeView tree{drives};
    // "CFolderNotFoundDlg(name)" or "CDriveUnavailableDlg", in the order shown.
    QStringList notices;
    // The selected path at each new-folder hint from the tree, when the contents list would
    // measure its folder.
    std::vector<std::string> folderChanges;

private:
    testsupport::ModalAnswerer m_answerer{[this](CDialog& dialog) {
        auto* folderNotice = dynamic_cast<CFolderNotFoundDlg*>(&dialog);
        notices << (folderNotice ? "CFolderNotFoundDlg(" + folderNotice->m_strName + ")"
                    : dynamic_cast<CDriveUnavailableDlg*>(&dialog) ? "CDriveUnavailableDlg"
                                                                   : "another dialog");
        dialog.EndDialog(IDOK);
    }};
};

TEST_F(TreeView, ListsUsableDrivesOnceWithTheStartDrivesFoldersAndKeepsThemAcrossARefresh) {
    UseDrives("CDEF");
    for (const char* folder : {"D/one", "D/two/deeper", "D/.cache", "C/a/b", "E/sub/x"}) {
        disk.Folder(folder);
    }
    disk.File("D/file.txt", 10);
    disk.File("D/.profile", 10);
    Remove("F"); // to come later
    ASSERT_EQ(::chdir(disk.Path("D/two/deeper").c_str()), 0);
    // A start folder that goes before the tree can list the last step down to it.
    const std::string unreachable = "../../../E/sub/x";
    tree.SetStartFolder(unreachable);
    Remove("E/sub/x");
    StartIn(".");

    // The start drive's item is added last, so only sorted insertion puts it between.
    EXPECT_EQ(Texts(""), (QStringList{"[C:]", "[D:]", "[E:]"}));
    EXPECT_EQ(Texts("[D:]"), (QStringList{".cache", "one", "two"}));
    // Nothing listed on the failed way down stays.
    EXPECT_TRUE(Texts("[C:]").isEmpty() && Texts("[E:]").isEmpty());
    // Ordinals number the folders from 0 in the order the platform enumerates them, dot folders
    // among them, as the contents list numbers its folder rows.
    int ordinal = 0;
    for (const auto& entry : std::filesystem::directory_iterator(disk.Path("D"))) {
        const FolderTreeItem* item = Item("[D:]/" + entry.path().filename().string());
        if (entry.is_directory()) {
            ASSERT_NE(item, nullptr) << entry.path();
            EXPECT_EQ(item->ItemData(), ordinal++);
        }
    }
    EXPECT_EQ(notices,
              QStringList{QString::fromStdString("CFolderNotFoundDlg(" + unreachable + ")")});
    notices.clear();

    // Usable drives stay as they were, gone ones go quietly, new ones come unopened.
    Click("[C:]");
    Click("[C:]/a");
    Remove("E");
    disk.Folder("F/inside");
    ASSERT_TRUE(tree.OnCmdMsg(ID_REFRESH_DRIVES));
    EXPECT_EQ(Texts(""), (QStringList{"[C:]", "[D:]", "[F:]"}));
    EXPECT_EQ(Texts("[C:]/a"), QStringList{"b"});
    EXPECT_TRUE(Texts("[F:]").isEmpty());
    EXPECT_EQ(folderChanges, (std::vector<std::string>{"[D:]", "[C:]", "[C:]/a"}));
    EXPECT_TRUE(notices.isEmpty());
}

TEST_F(TreeView, FolderUpRefreshAndOpenRequestsComeAsCommandsOrAsHintsFromAnotherPane) {
    UseDrives("C");
    for (const char* folder : {"C/a/b/c", "C/top/alpha", "C/top/beta"}) {
        disk.Folder(folder);
    }
    StartIn(Root('C'));
    Click("[C:]/a");
    Click("[C:]/a/b");
    ASSERT_TRUE(tree.OnCmdMsg(ID_FOLDER_UP));
    disk.Folder("C/a/new");
    // As the other panes send them.
    document.UpdateAllViews(nullptr, HINT_REFRESH_CURRENT);
    EXPECT_EQ(Texts("[C:]/a"), (QStringList{"b", "new"}));
    document.UpdateAllViews(nullptr, HINT_FOLDER_UP);
    // At the drive's root going up does nothing.
    ASSERT_TRUE(tree.OnCmdMsg(ID_FOLDER_UP));
    document.UpdateAllViews(nullptr, HINT_FOLDER_UP);

    // A refresh names each level that vanished while the selection climbs.
    Click("[C:]/a");
    Click("[C:]/a/b");
    Remove("C/a");
    ASSERT_TRUE(tree.OnCmdMsg(ID_REFRESH_CURRENT));
    EXPECT_EQ(notices, (QStringList{"CFolderNotFoundDlg(b)", "CFolderNotFoundDlg(a)"}));
    EXPECT_EQ(Texts("[C:]"), QStringList{"top"});
    EXPECT_EQ(folderChanges,
              (std::vector<std::string>{"[C:]", "[C:]/a", "[C:]/a/b", "[C:]/a", "[C:]/a", "[C:]",
                                        "[C:]/a", "[C:]/a/b", "[C:]"}));

    // An open request takes the child of the ordinal if it has the name, else the named one.
    Click("[C:]/top");
    const long alpha = Item("[C:]/top/alpha")->ItemData();
    const long beta = Item("[C:]/top/beta")->ItemData();
    // One of the two ordinals is 1, the folder-up hint's number. A name of a child at another
    // ordinal means the folder changed between the list's reading and the tree's.
    const std::pair<long, std::string> requests[] = {
        {alpha, "alpha"}, {beta, "beta"}, {beta, "alpha"}, {alpha, "beta"}, {alpha, "gone"}};
    for (const auto& [ordinal, name] : requests) {
        Click("[C:]/top");
        folderChanges.clear();
        notices.clear();
        FolderRequest request(name);
        document.UpdateAllViews(&list, ordinal, &request);
        // Not found, the other panes are told to show the current folder again.
        const bool found = name != "gone";
        EXPECT_EQ(folderChanges, std::vector{"[C:]/top" + (found ? "/" + name : "")});
        EXPECT_EQ(notices, found ? QStringList() : QStringList{"CFolderNotFoundDlg()"});
    }
}

TEST_F(TreeView, ClickingEntersTheFolderByItsBytesFromItsDrivesRootAndListsItsFolders) {
    UseDrives("CD");
    // A name that is not UTF-8, and "\", which alone would name the drive's root.
    for (const char* folder : {"C/a/b", "C/a/c", "C/caf\xe9/in", "C/\\/in"}) {
        disk.Folder(folder);
    }
    disk.File("C/a/file", 5);
    StartIn(Root('C'));

    Click("[C:]/a");
    EXPECT_EQ(Texts("[C:]/a"), (QStringList{"b", "c"}));
    Click("[C:]/a/c");
    Click("[D:]");
    Click("[C:]/a/b"); // drive C still stands in a/c
    // Only the left button chooses a folder; collapsing an ancestor of the selection selects it.
    Click("[C:]/a/c", Qt::RightButton);
    Click("[C:]/a/c", Qt::MiddleButton);
    tree.GetTreeCtrl().collapseItem(Node("[C:]/a"));
    // A drive is entered at its root, whatever was current on it.
    Click("[D:]");
    Click("[C:]");
    // The drive's new listing drops the deeper level.
    EXPECT_TRUE(Texts("[C:]/a").isEmpty());
    const std::string undecodable = "[C:]/" + DisplayName("caf\xe9").toStdString();
    const std::string backslash = "[C:]/" + DisplayName("\\").toStdString();
    Click(undecodable);
    Click(backslash);
    EXPECT_EQ(Texts(backslash), QStringList{"in"});
    EXPECT_EQ(folderChanges,
              (std::vector<std::string>{"[C:]", "[C:]/a", "[C:]/a/c", "[D:]", "[C:]/a/b", "[C:]/a",
                                        "[D:]", "[C:]", undecodable, backslash}));
}

TEST_F(TreeView, FolderOfAVanishedDriveGivesBothNoticesAndTheFirstUsableDriveInstead) {
    UseDrives("CDE");
    // A walk going on after a failed drive step would find an "a" where it stands.
    for (const char* folder : {"C/a", "D/a", "E/a"}) {
        disk.Folder(folder);
    }
    StartIn(Root('C'));
    Click("[D:]");
    Click("[E:]");
    Remove("D");

    Click("[D:]/a");
    EXPECT_EQ(Texts(""), (QStringList{"[C:]", "[E:]"}));
    EXPECT_EQ(folderChanges, (std::vector<std::string>{"[C:]", "[D:]", "[E:]", "[C:]"}));
    // With no usable drive left the failed item goes with the selection, and the working
    // directory stays where it was, moved with C's folder.
    std::filesystem::rename(Root('C'), disk.Path("C-away"));
    Remove("E");
    Click("[E:]/a");
    tree.OnCmdMsg(ID_REFRESH_CURRENT);
    tree.OnCmdMsg(ID_FOLDER_UP);
    EXPECT_EQ(Texts(""), QStringList{"[C:]"});
    EXPECT_EQ(folderChanges.size(), 4u);
    EXPECT_EQ(notices, (QStringList{"CFolderNotFoundDlg(a)", "CDriveUnavailableDlg",
                                    "CFolderNotFoundDlg(a)", "CDriveUnavailableDlg"}));
    EXPECT_EQ(testsupport::WorkingDirectory(), disk.Path("C-away"));
}

} // namespace
