#pragma once

#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "TreeViewSpy.h"
#include "document/CVornDoc.h"
#include "support/FixedRoots.h"
#include "support/ModalAnswerer.h"
#include "support/TempTree.h"
#include "views/CVornTreeView.h"

class FolderTreeItem;

// The tree pane on a document, with a spy where the contents list stands, over drives that are
// folders of a temporary tree ("C" for drive 3 and so on). Every notice is recorded and closed.
class TreeViewFixture : public ::testing::Test {
protected:
    TreeViewFixture();
    ~TreeViewFixture() override;

    // The drives of these letters stand for usable drives while their folders exist.
    void UseDrives(const std::string& letters);
    std::string Root(char letter) const { return disk.Path(std::string(1, letter)); }
    // Takes a folder of the temporary tree away, as if from outside the application.
    void Remove(const std::string& relative) const;
    // Starts the pane with `folder` as the working directory, at `startFolder` when given.
    void StartIn(const std::string& folder,
                 const std::optional<std::string>& startFolder = std::nullopt);

    // "[C:]/alpha/beta" names the item "beta" below "alpha" below the drive item "[C:]".
    FolderTreeItem* Item(const std::string& path) const;
    QStringList Texts(const std::string& path) const; // the children's texts; "" for the roots
    std::vector<long> ItemData(const std::string& path) const; // the children's, in tree order
    std::string SelectedPath() const;
    // A click on the item, its ancestors opened first as the user would.
    void Click(const std::string& path);
    // What the contents list sends when a folder row is double-clicked.
    void Request(long ordinal, const std::string& name);

    // The working directory is the folder of the selected item.
    ::testing::AssertionResult InSelectedFolder() const;
    // The selected item, if any, is highlighted, and nothing else is.
    bool SelectionHighlighted() const;

    testsupport::TempTree disk;
    testsupport::FixedRoots roots;
    platform::Drives drives{roots};
    CVornDoc document;
    TreeViewSpy spy;
    CVornTreeView tree{drives};
    // "CFolderNotFoundDlg(name)" or "CDriveUnavailableDlg", in the order shown, marked when the
    // selected item was not the highlighted one then.
    QStringList notices;
    // The selected item at each hint 0 from the tree, when the contents list would measure its
    // folder under the progress dialog; marked when the working directory was not its folder
    // then, or when it was not the highlighted item.
    std::vector<std::string> folderChanges;

private:
    std::string FolderOf(const FolderTreeItem* item) const;

    std::string m_startDirectory;
    std::unique_ptr<testsupport::ModalAnswerer> m_answerer;
};

// Names of the working directory's entries in the order the platform's enumeration gives them.
std::vector<std::string> EnumerationOrder(const std::string& folder);

// Makes two sub-folders of `parent`, one named with a capital letter and "alpha", that the
// enumeration returns capital first, so that their ordinals run against their display order.
// Returns the capital one's name, or "" when no candidate name gives that order.
std::string MakeFoldersListedAgainstDisplayOrder(const std::string& parent);
