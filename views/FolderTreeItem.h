#pragma once

#include <QIcon>
#include <QTreeWidgetItem>

#include <string>
#include <utility>

// An item of the drive and folder tree. A drive item's data is its drive number; a folder
// item's data is its folder ordinal, and it keeps the exact bytes of its name, which every step
// into the folder uses (the text only shows them).
class FolderTreeItem : public QTreeWidgetItem {
public:
    FolderTreeItem(const QString& text, std::string nameBytes, long itemData, const QIcon& icon)
        : QTreeWidgetItem(UserType), m_nameBytes(std::move(nameBytes)), m_itemData(itemData) {
        setText(0, text);
        setIcon(0, icon);
    }

    long ItemData() const { return m_itemData; }
    const std::string& NameBytes() const { return m_nameBytes; }

    // The tree holds items of this class only.
    FolderTreeItem* Parent() const { return static_cast<FolderTreeItem*>(parent()); }
    FolderTreeItem* Child(int index) const { return static_cast<FolderTreeItem*>(child(index)); }

private:
    std::string m_nameBytes;
    long m_itemData;
};
