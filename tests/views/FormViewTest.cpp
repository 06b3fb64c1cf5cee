#include <sys/statvfs.h>

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QLabel>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "SpyView.h"
#include "document/CVornDoc.h"
#include "document/Hints.h"
#include "views/CVornFormView.h"

namespace {

TEST(FormatNumber, GroupsDigitsInThreesUpToTwentyDigits) {
    const std::pair<std::uint64_t, const char*> examples[] = {
        {0, "0"},
        {7, "7"},
        {999, "999"},
        {1000, "1,000"},
        {12345, "12,345"},
        {123456, "123,456"},
        {1234567, "1,234,567"},
        {4294967295u, "4,294,967,295"},
        {4294967296u, "4,294,967,296"},
        {500'000'000'000u, "500,000,000,000"},
        {UINT64_MAX, "18,446,744,073,709,551,615"},
    };
    for (const auto& [value, text] : examples) {
        EXPECT_EQ(CVornFormView::FormatNumber(value), QString::fromLatin1(text));
    }
}

class FormView : public ::testing::Test {
protected:
    FormView() {
        form.AttachDocument(&document);
        document.SetCurrentTotal(5'000'000'000u);
        form.OnInitialUpdate();
    }

    QString Shown(int id) const { return qobject_cast<QLabel*>(form.GetDlgItem(id))->text(); }
    QString Spoken(int id) const {
        return QAccessible::queryAccessibleInterface(form.GetDlgItem(id))->text(QAccessible::Name);
    }
    // The working directory's file system, as the drive figures must show it.
    static std::pair<QString, QString> DiskFigures() {
        struct statvfs figures {};
        EXPECT_EQ(::statvfs(".", &figures), 0);
        const std::uint64_t unit = figures.f_frsize;
        return {CVornFormView::FormatNumber(unit * figures.f_blocks),
                CVornFormView::FormatNumber(unit * figures.f_bavail)};
    }

    CVornDoc document;
    platform::Drives drives; // the system's: the working directory lies on one of them
    CVornFormView form{drives};
    SpyView tree;
};

TEST_F(FormView, FirstShowsTheDiskFiguresAndTheCurrentTotalButNoSelectedSize) {
    EXPECT_EQ(Shown(1012), DiskFigures().first);
    EXPECT_FALSE(Shown(1012).isEmpty());
    EXPECT_EQ(Shown(1014), "5,000,000,000");
    EXPECT_EQ(Shown(1015), "");
    // Screen readers hear each figure with its caption.
    EXPECT_EQ(Spoken(1014), "Current Total Size 5,000,000,000");
    EXPECT_EQ(Spoken(1015), "Selected Size");
}

TEST_F(FormView, FollowsTheHintTable) {
    document.SetSelectedTotal(6'000'000'000u);
    document.UpdateAllViews(nullptr, HINT_SELECTION_CHANGED);
    EXPECT_EQ(Shown(1015), "6,000,000,000");

    // Navigation hints change no figure; the tree's hint 0 follows them.
    document.SetCurrentTotal(1234);
    for (long hint : {HINT_FOLDER_UP, HINT_REFRESH_CURRENT, HINT_REFRESH_DRIVES}) {
        document.UpdateAllViews(nullptr, hint);
    }
    EXPECT_EQ(Shown(1014), "5,000,000,000");
    EXPECT_EQ(Shown(1015), "6,000,000,000");

    document.UpdateAllViews(&tree, HINT_CURRENT_FOLDER_CHANGED);
    EXPECT_EQ(Shown(1014), "1,234");
    EXPECT_EQ(Shown(1015), "0");

    document.SetCurrentTotal(99);
    document.SetSelectedTotal(7);
    document.UpdateAllViews(nullptr, HINT_SELECTION_CHANGED);
    EXPECT_EQ(Shown(1015), "7");
    document.UpdateAllViews(nullptr, HINT_AFTER_DELETE);
    EXPECT_EQ(Shown(1014), "99");
    EXPECT_EQ(Shown(1015), "0");
    // Other programs write to the same disk meanwhile: the free space is close, not equal.
    const auto bytes = [](const QString& figure) { return QString(figure).remove(',').toDouble(); };
    EXPECT_NEAR(bytes(Shown(1013)), bytes(DiskFigures().second), bytes(Shown(1012)) / 100);
}

TEST_F(FormView, AFigureWiderThanItsBoxIsShownWhole) {
    document.SetCurrentTotal(UINT64_MAX);
    form.UpdateDiskFigures();
    const auto* box = qobject_cast<QLabel*>(form.GetDlgItem(1014));
    EXPECT_GE(box->width(), box->sizeHint().width());
    EXPECT_GE(box->x(), 0);
}

TEST_F(FormView, APaneSmallerThanItsControlsScrollsToTheLastFigure) {
    document.SetSelectedTotal(UINT64_MAX); // a box grown past the template's right edge
    document.UpdateAllViews(nullptr, HINT_SELECTION_CHANGED);
    form.resize(60, 60);
    form.show();
    const auto* area = form.findChild<QAbstractScrollArea*>();
    ASSERT_NE(area, nullptr);
    for (QScrollBar* bar : {area->horizontalScrollBar(), area->verticalScrollBar()}) {
        EXPECT_TRUE(bar->isVisible());
        bar->setValue(bar->maximum());
    }
    const QWidget* box = form.GetDlgItem(1015);
    EXPECT_TRUE(area->viewport()->rect().contains(
        box->mapTo(area->viewport(), QPoint(box->width() - 1, box->height() - 1))));
}

} // namespace
