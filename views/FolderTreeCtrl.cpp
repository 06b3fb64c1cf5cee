#include "views/FolderTreeCtrl.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

#include <algorithm>

#include "views/FolderTreeItem.h"

namespace {

constexpr int kIndentation = 19;
constexpr int kImageSize = 16;

bool SortsBefore(const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
    return QString::compare(a->text(0), b->text(0), Qt::CaseInsensitive) < 0;
}

bool HasNextSibling(const QModelIndex& index) {
    return index.row() + 1 < index.model()->rowCount(index.parent());
}

} // namespace

FolderTreeCtrl::FolderTreeCtrl(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setIndentation(kIndentation);
    setIconSize(QSize(kImageSize, kImageSize));
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(true);
    connect(this, &QTreeWidget::itemCollapsed, this, &FolderTreeCtrl::SelectCollapsedAncestor);
}

void FolderTreeCtrl::SelectCollapsedAncestor(QTreeWidgetItem* collapsed) {
    if (currentItem() != collapsed && SelectionWithin(collapsed)) {
        setCurrentItem(collapsed);
    }
}

FolderTreeItem* FolderTreeCtrl::GetSelectedItem() const {
    return static_cast<FolderTreeItem*>(currentItem());
}

FolderTreeItem* FolderTreeCtrl::GetRootItem(int index) const {
    return static_cast<FolderTreeItem*>(topLevelItem(index));
}

void FolderTreeCtrl::InsertSorted(FolderTreeItem* parent, std::vector<FolderTreeItem*> items) {
    QTreeWidgetItem* into = parent ? parent : invisibleRootItem();
    std::stable_sort(items.begin(), items.end(), SortsBefore);
    int position = 0;
    for (auto first = items.begin(); first != items.end();) {
        // Items already there come before new ones of equal text.
        while (position < into->childCount() && !SortsBefore(*first, into->child(position))) {
            ++position;
        }
        auto last = first;
        while (last != items.end() &&
               (position == into->childCount() || SortsBefore(*last, into->child(position)))) {
            ++last;
        }
        into->insertChildren(position, QList<QTreeWidgetItem*>(first, last));
        position += int(last - first);
        first = last;
    }
}

void FolderTreeCtrl::SelectItem(FolderTreeItem* item) {
    if (item == currentItem()) {
        return;
    }
    for (QTreeWidgetItem* ancestor = item->parent(); ancestor; ancestor = ancestor->parent()) {
        ancestor->setExpanded(true);
    }
    setCurrentItem(item);
}

void FolderTreeCtrl::DeleteItem(FolderTreeItem* item) {
    if (SelectionWithin(item)) {
        ClearSelectionQuietly();
    }
    delete item;
}

void FolderTreeCtrl::DeleteChildren(FolderTreeItem* item) {
    if (currentItem() != item && SelectionWithin(item)) {
        ClearSelectionQuietly();
    }
    qDeleteAll(item->takeChildren());
}

void FolderTreeCtrl::DeleteAllItems() {
    ClearSelectionQuietly();
    clear();
}

bool FolderTreeCtrl::SelectionWithin(const QTreeWidgetItem* subtree) const {
    for (const QTreeWidgetItem* item = currentItem(); item; item = item->parent()) {
        if (item == subtree) {
            return true;
        }
    }
    return false;
}

void FolderTreeCtrl::ClearSelectionQuietly() {
    const QSignalBlocker blocker(this);
    setCurrentItem(nullptr);
    clearSelection();
}

QItemSelectionModel::SelectionFlags FolderTreeCtrl::selectionCommand(const QModelIndex& index,
                                                                     const QEvent*) const {
    // The selection is always the current item: a click never deselects it.
    return index.isValid() ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::NoUpdate;
}

void FolderTreeCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        QTreeWidget::mousePressEvent(event);
    }
}

void FolderTreeCtrl::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton) {
        QTreeWidget::mouseMoveEvent(event);
    }
}

void FolderTreeCtrl::setSelection(const QRect&, QItemSelectionModel::SelectionFlags command) {
    // A click runs the whole selection sequence, notices and nested selections included, before
    // the view selects what lay under the pointer; the current item may be another one by then.
    if (command != QItemSelectionModel::NoUpdate) {
        selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
    }
}

void FolderTreeCtrl::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (current.isValid() && !selectionModel()->isSelected(current)) {
        selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
    }
    QTreeWidget::currentChanged(current, previous);
}

void FolderTreeCtrl::drawBranches(QPainter* painter, const QRect& rect,
                                  const QModelIndex& index) const {
    if (rect.width() < indentation()) {
        return; // a root item: no line leads to it
    }
    painter->save();
    QPen pen(palette().color(QPalette::Mid));
    pen.setDashPattern({1.0, 1.0});
    painter->setPen(pen);
    const int middleY = rect.top() + rect.height() / 2;
    // The item's own joint, in the rightmost column of its indentation.
    int left = rect.right() + 1 - indentation();
    int lineX = left + indentation() / 2;
    painter->drawLine(lineX, rect.top(), lineX, HasNextSibling(index) ? rect.bottom() : middleY);
    painter->drawLine(lineX, middleY, rect.right(), middleY);
    // Further left, the lines of the ancestors that still have siblings below.
    for (QModelIndex ancestor = index.parent(); ancestor.parent().isValid();
         ancestor = ancestor.parent()) {
        lineX -= indentation();
        if (HasNextSibling(ancestor)) {
            painter->drawLine(lineX, rect.top(), lineX, rect.bottom());
        }
    }
    painter->restore();
}
