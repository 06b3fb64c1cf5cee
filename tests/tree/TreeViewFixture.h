#pragma once

#include <unistd.h>

#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "dialogs/CDriveUnavailableDlg.h"
#include "dialogs/CFolderNotFoundDlg.h"
#include "document/CVornDoc.h"
#include "document/Hints.h"
#include "support/FixedRoots.h"
#include "support/ModalAnswerer.h"
#include "support/TempTree.h"
#include "views/CVornTreeView.h"
#include "views/FolderTreeCtrl.h"
#include "views/FolderTreeItem.h"

// Stands where the contents list does and hears what the tree tells it.
class ListStandIn : public CView {
public:
    void OnUpdate(CView* pSender, long lHint, CObject*) override { onUpdate(pSender, lHint); }

    std::function<void(CView*, long)> onUpdate;
};

// The tree pane on a document over drives that are folders of a temporary tree ("C" for
// drive 3 and so on). Every notice is recorded and closed.
class TreeViewFixture : public ::testing::Test {
protected:
    TreeViewFixture() {
        list.AttachDocument(&document);
        tree.AttachDocument(&document);
        list.onUpdate = [this](CView* sender, long hint) {
            if (sender == &tree && hint == HINT_CURRENT_FOLDER_CHANGED) {
                folderChanges.push_back(SelectedPath() + Marks());
            }
        };
    }
    ~TreeViewFixture() override { [[maybe_unused]] int ignored = ::chdir(m_startFolder.c_str()); }

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
    std::string SelectedPath() const {
        QStringList path;
        for (const QTreeWidgetItem* item = Selected(); item; item = item->parent()) {
            path.prepend(item->text(0));
        }
        return path.join('/').toStdString();
    }
    // A click on the item, its ancestors opened first as the user would.
    void Click(const std::string& path, Qt::MouseButton button = Qt::LeftButton) {
        FolderTreeItem* item = Item(path);
        ASSERT_NE(item, nullptr) << path;
        for (QTreeWidgetItem* above = item->parent(); above; above = above->parent()) {
            above->setExpanded(true);
        }
        FolderTreeCtrl& control = tree.GetTreeCtrl();
        control.scrollToItem(item);
        QTest::mouseClick(control.viewport(), button, {}, control.visualItemRect(item).center());
    }
    // What is wrong when the tree reports a new folder: the user must see the folder
    // highlighted, and the working directory must be its folder.
    std::string Marks() const {
        return std::string(Selected() && Selected()->isSelected() ? "" : " (not highlighted)") +
               (InSelectedFolder() ? "" : " (not the working directory)");
    }
    // The working directory is the selected item's folder.
    bool InSelectedFolder() const {
        std::string folder;
        const FolderTreeItem* item = Selected();
        for (; item && item->Parent(); item = item->Parent()) {
            folder = "/" + item->NameBytes() + folder;
        }
        return item &&
               Root(char('A' + item->ItemData() - 1)) + folder == testsupport::WorkingDirectory();
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
    FolderTreeItem* Selected() const { return tree.GetTreeCtrl().GetSelectedItem(); }

    std::string m_startFolder = testsupport::WorkingDirectory();
    testsupport::ModalAnswerer m_answerer{[this](CDialog& dialog) {
        auto* folderNotice = dynamic_cast<CFolderNotFoundDlg*>(&dialog);
        notices << (folderNotice ? "CFolderNotFoundDlg(" + folderNotice->m_strName + ")"
                    : dynamic_cast<CDriveUnavailableDlg*>(&dialog) ? "CDriveUnavailableDlg"
                                                                   : "another dialog");
        dialog.EndDialog(IDOK);
    }};
};
