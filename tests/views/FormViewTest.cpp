#include <QAbstractScrollArea>
#include <QAccessible>
#include <QLabel>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <cstdint>

#include "SpyView.h"
#include "document/CVornDoc.h"
#include "document/Hints.h"
#include "resources/ResourceIds.h"
#include "views/CVornFormView.h"

namespace {

class FormView : public ::testing::Test {
protected:
    FormView() {
        form.AttachDocument(&document);
        document.SetCurrentTotal(5'000'000'000u);
        form.OnInitialUpdate();
    }

    QString Shown(int id) const { return qobject_cast<QLabel*>(form.GetDlgItem(id))->text(); }
    void Tell(long hint, std::uint64_t selectedTotal = 0) {
        document.SetSelectedTotal(selectedTotal);
        document.UpdateAllViews(nullptr, hint);
    }

    CVornDoc document;
    platform::Drives drives; // the system's: the working directory lies on one of them
    CVornFormView form{drives};
    SpyView tree;
};

// The figures' lengths leave every remainder modulo three, so each grouping shows.
TEST_F(FormView, ShowsTheFiguresEachHintConcerns) {
    // The disk's figures are of the working directory's file system, whose free space is
    // less than its size.
    const auto bytes = [this](int id) { return Shown(id).remove(',').toULongLong(); };
    EXPECT_GT(bytes(IDC_DISK_TOTAL), bytes(IDC_DISK_FREE));
    EXPECT_EQ(Shown(IDC_CURRENT_TOTAL), "5,000,000,000");
    EXPECT_EQ(Shown(IDC_SELECTED_SIZE), "");
    // Screen readers hear each figure with its caption.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form.GetDlgItem(IDC_CURRENT_TOTAL))
                  ->text(QAccessible::Name),
              "Current Total Size 5,000,000,000");

    Tell(HINT_SELECTION_CHANGED, 60'000'000'000u);
    EXPECT_EQ(Shown(IDC_SELECTED_SIZE), "60,000,000,000");
    // Navigation hints change no figure; the tree's update with a sender follows them.
    document.SetCurrentTotal(123456);
    for (long hint : {HINT_FOLDER_UP, HINT_REFRESH_CURRENT, HINT_REFRESH_DRIVES}) {
        Tell(hint, 7);
    }
    EXPECT_EQ(Shown(IDC_CURRENT_TOTAL), "5,000,000,000");
    EXPECT_EQ(Shown(IDC_SELECTED_SIZE), "60,000,000,000");
    document.UpdateAllViews(&tree, HINT_CURRENT_FOLDER_CHANGED);
    EXPECT_EQ(Shown(IDC_CURRENT_TOTAL), "123,456");
    EXPECT_EQ(Shown(IDC_SELECTED_SIZE), "0");

    Tell(HINT_SELECTION_CHANGED, 7);
    document.SetCurrentTotal(99);
    Tell(HINT_AFTER_DELETE);
    EXPECT_EQ(Shown(IDC_CURRENT_TOTAL), "99");
    EXPECT_EQ(Shown(IDC_SELECTED_SIZE), "0");
}

TEST_F(FormView, AFigureWiderThanItsBoxIsShownWholeAndScrolledToInASmallPane) {
    Tell(HINT_SELECTION_CHANGED, UINT64_MAX); // grows its box past the template's right edge
    form.resize(60, 60);
    form.show();
    const auto* box = qobject_cast<QLabel*>(form.GetDlgItem(IDC_SELECTED_SIZE));
    EXPECT_EQ(box->text(), "18,446,744,073,709,551,615");
    EXPECT_GE(box->width(), box->sizeHint().width());
    EXPECT_GE(box->x(), 0);
    const auto* area = form.findChild<QAbstractScrollArea*>();
    ASSERT_NE(area, nullptr);
    for (QScrollBar* bar : {area->horizontalScrollBar(), area->verticalScrollBar()}) {
        EXPECT_TRUE(bar->isVisible());
        bar->setValue(bar->maximum());
    }
    EXPECT_TRUE(area->viewport()->rect().contains(
        box->mapTo(area->viewport(), QPoint(box->width() - 1, box->height() - 1))));
}

} // namespace
