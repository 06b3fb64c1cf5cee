#include <QLabel>

#include <gtest/gtest.h>

#include "document/CVornDoc.h"
#include "document/Hints.h"
#include "resources/ResourceIds.h"
#include "views/CVornFormView.h"

namespace {

// The figures' lengths leave every remainder modulo three, so each grouping shows.
TEST(FormView, ShowsTheFiguresEachHintConcernsWholeInOneColumnOfBoxes) {
    CVornDoc document;
    platform::Drives drives; // the system's: the working directory lies on one of them
    CVornFormView form{drives};
    CView tree;
    form.AttachDocument(&document);
    document.SetCurrentTotal(123456);
    form.OnInitialUpdate();
    const auto box = [&form](int id) { return qobject_cast<QLabel*>(form.GetDlgItem(id)); };
    const auto shown = [&box](int id) { return box(id)->text(); };
    // The disk's figures are of the working directory's file system, whose free space is
    // less than its size.
    EXPECT_GT(shown(IDC_DISK_TOTAL).remove(',').toULongLong(),
              shown(IDC_DISK_FREE).remove(',').toULongLong());
    EXPECT_EQ(shown(IDC_CURRENT_TOTAL), "123,456");

    document.SetSelectedTotal(5'000'000'000u);
    document.UpdateAllViews(nullptr, HINT_SELECTION_CHANGED);
    EXPECT_EQ(shown(IDC_SELECTED_SIZE), "5,000,000,000");
    // A new folder, told by the tree, comes with no selection: an 18 TB total beside a 0, each
    // whole in its box, and the four boxes one column of one width.
    document.SetCurrentTotal(18'000'000'000'000u);
    document.UpdateAllViews(&tree, HINT_CURRENT_FOLDER_CHANGED);
    EXPECT_EQ(shown(IDC_CURRENT_TOTAL), "18,000,000,000,000");
    EXPECT_EQ(shown(IDC_SELECTED_SIZE), "0");
    for (int id : {IDC_DISK_TOTAL, IDC_DISK_FREE, IDC_CURRENT_TOTAL, IDC_SELECTED_SIZE}) {
        const QRect room = box(id)->contentsRect();
        const QSize needed = box(id)->fontMetrics().size(0, shown(id));
        EXPECT_TRUE(room.contains(QRect(room.topLeft(), needed))) << shown(id).toStdString();
        EXPECT_EQ(box(id)->x(), box(IDC_DISK_TOTAL)->x());
        EXPECT_EQ(box(id)->width(), box(IDC_DISK_TOTAL)->width());
    }
    // Nor does what is left after a delete.
    document.UpdateAllViews(nullptr, HINT_SELECTION_CHANGED);
    document.UpdateAllViews(nullptr, HINT_AFTER_DELETE);
    EXPECT_EQ(shown(IDC_SELECTED_SIZE), "0");
}

} // namespace
