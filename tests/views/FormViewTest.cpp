#include <QLabel>

#include <gtest/gtest.h>

#include "document/CVornDoc.h"
#include "document/Hints.h"
#include "resources/ResourceIds.h"
#include "views/CVornFormView.h"

namespace {

// The figures' lengths leave every remainder modulo three, so each grouping shows.
TEST(FormView, ShowsTheFiguresEachHintConcerns) {
    CVornDoc document;
    platform::Drives drives; // the system's: the working directory lies on one of them
    CVornFormView form{drives};
    CView tree;
    form.AttachDocument(&document);
    document.SetCurrentTotal(5'000'000'000u);
    form.OnInitialUpdate();
    const auto shown = [&form](int id) {
        return qobject_cast<QLabel*>(form.GetDlgItem(id))->text();
    };
    // The disk's figures are of the working directory's file system, whose free space is
    // less than its size.
    EXPECT_GT(shown(IDC_DISK_TOTAL).remove(',').toULongLong(),
              shown(IDC_DISK_FREE).remove(',').toULongLong());
    EXPECT_EQ(shown(IDC_CURRENT_TOTAL), "5,000,000,000");

    document.SetSelectedTotal(60'000'000'000u);
    document.UpdateAllViews(nullptr, HINT_SELECTION_CHANGED);
    EXPECT_EQ(shown(IDC_SELECTED_SIZE), "60,000,000,000");
    // A new folder, told by the tree, comes with no selection.
    document.SetCurrentTotal(123456);
    document.UpdateAllViews(&tree, HINT_CURRENT_FOLDER_CHANGED);
    EXPECT_EQ(shown(IDC_CURRENT_TOTAL), "123,456");
    EXPECT_EQ(shown(IDC_SELECTED_SIZE), "0");
    // Nor does what is left after a delete.
    document.UpdateAllViews(nullptr, HINT_SELECTION_CHANGED);
    document.UpdateAllViews(nullptr, HINT_AFTER_DELETE);
    EXPECT_EQ(shown(IDC_SELECTED_SIZE), "0");
}

} // namespace
