#pragma once

#include <QTreeWidget>

#include <vector>

class FolderTreeItem;

// The tree control of the drive and folder pane: lines between items and no expand buttons
// (items open and close on a double-click), siblings kept in alphabetical order ignoring case,
// and the current item as the one selection.
class FolderTreeCtrl : public QTreeWidget {
public:
    explicit FolderTreeCtrl(QWidget* parent = nullptr);

    FolderTreeItem* GetSelectedItem() const;
    FolderTreeItem* GetRootItem(int index) const;

    // Places the items among the children of `parent` (the root level when null), each at its
    // alphabetical place; they join the view in as few batches as the order allows.
    void InsertSorted(FolderTreeItem* parent, std::vector<FolderTreeItem*> items);

    // Opens the item's collapsed ancestors and makes it the selection. The change of selection
    // is reported (currentItemChanged) before this returns; selecting the selected item does
    // nothing.
    void SelectItem(FolderTreeItem* item);

    // Remove items with their whole subtrees. A selection inside what goes is dropped without a
    // report, so the control never picks a new selection by itself.
    void DeleteItem(FolderTreeItem* item);
    void DeleteChildren(FolderTreeItem* item);
    void DeleteAllItems();

protected:
    // Moving the mouse with a button held neither selects nor drags: every selection measures a
    // folder, so only a click chooses one.
    void mouseMoveEvent(QMouseEvent* event) override;
    // Only the left button chooses a folder; the others pass over the tree.
    void mousePressEvent(QMouseEvent* event) override;
    void drawBranches(QPainter* painter, const QRect& rect,
                      const QModelIndex& index) const override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    // The new current item is selected before its change is reported: a click makes an item
    // current first and selects it only afterwards, which would leave the old one highlighted
    // through the whole selection sequence.
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    bool SelectionWithin(const QTreeWidgetItem* subtree) const;
    void ClearSelectionQuietly();
    // Hiding the selected item under a collapsed ancestor moves the selection to that ancestor,
    // so that the panes never show a folder the tree hides.
    void SelectCollapsedAncestor(QTreeWidgetItem* collapsed);
};
