#include <unistd.h>

#include <QAbstractItemModel>
#include <QIcon>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SpyView.h"
#include "chart/SlotColors.h"
#include "document/CVornDoc.h"
#include "document/Hints.h"
#include "support/TempTree.h"
#include "views/CVornListView.h"
#include "views/ContentsListModel.h"

namespace {

// What the list adds to the rows the fill measures and orders: how they reach the view, what a
// click or a double-click on them tells the other panes, and when it fills at all.
class ContentsList : public ::testing::Test {
protected:
    ContentsList() {
        list.AttachDocument(&document);
        spy.AttachDocument(&document);
        list.resize(600, 400);
        list.show();
    }
    ~ContentsList() override { [[maybe_unused]] int ignored = ::chdir(started.c_str()); }

    // What the tree does when it makes a folder current; the spy stands in for it.
    void Fill(long hint = HINT_CURRENT_FOLDER_CHANGED) {
        ASSERT_EQ(::chdir(folder.Root().c_str()), 0);
        document.UpdateAllViews(&spy, hint);
        spy.updates.clear();
    }
    QAbstractItemModel* Model() const { return list.GetListCtrl()->model(); }
    QPoint RowCentre(int row) const {
        return list.GetListCtrl()->visualRect(Model()->index(row, 0)).center();
    }
    void Click(QPoint at, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(list.GetListCtrl()->viewport(), Qt::LeftButton, modifiers, at);
    }
    void DoubleClick(QPoint at) {
        Click(at);
        QTest::mouseDClick(list.GetListCtrl()->viewport(), Qt::LeftButton, {}, at);
    }

    std::string started = testsupport::WorkingDirectory();
    testsupport::TempTree folder;
    CVornDoc document;
    CVornListView list{[](CVornListView&) {}};
    SpyView spy;
};

TEST_F(ContentsList, RefillsOnEachUpdateWithASenderHandingTheRowsOnInFewMergedBatches) {
    constexpr int kFiles = 3000;
    for (int i = 0; i < kFiles; ++i) {
        folder.File("f" + std::to_string(i), std::uint64_t(i));
    }
    for (long hint : {HINT_CURRENT_FOLDER_CHANGED, HINT_SELECTION_CHANGED, HINT_AFTER_DELETE}) {
        document.UpdateAllViews(nullptr, hint);
    }
    EXPECT_EQ(Model()->rowCount(), 0);
    int announcements = 0;
    QObject::connect(Model(), &QAbstractItemModel::rowsInserted, [&] { ++announcements; });
    Fill(7);
    EXPECT_EQ(Model()->rowCount(), kFiles);
    EXPECT_LT(announcements, 20);
    Fill();
    EXPECT_EQ(Model()->rowCount(), kFiles);
}

TEST_F(ContentsList, ClicksTellThePanesTheSelectedTotalAndADoubleClickedFolderRow) {
    const std::string name = "d\xff"; // shown escaped, asked for as it is
    folder.File(name + "/x", 10);
    folder.File("three", 3'000'000'000); // the total goes past 32 bits
    folder.File("two", 2'000'000'000);
    Fill();
    Click(RowCentre(1));
    Click(RowCentre(2), Qt::ShiftModifier);
    Click(RowCentre(0), Qt::ControlModifier);
    EXPECT_EQ(document.GetSelectedTotal(), 5'000'000'010u);
    ASSERT_FALSE(spy.updates.empty());
    EXPECT_EQ(spy.updates.back().hint, HINT_SELECTION_CHANGED);

    // Only a folder row asks the tree to open it, not the first file row.
    DoubleClick(RowCentre(1));
    EXPECT_TRUE(spy.WithSender().empty());
    DoubleClick(RowCentre(0));
    const std::vector<SpyView::Update> requests = spy.WithSender();
    ASSERT_EQ(requests.size(), 1u) << "none from the clicks";
    EXPECT_EQ(requests[0].hint, list.Row(0).itemData);
    EXPECT_EQ(requests[0].requestedName, name);
    EXPECT_EQ(Model()->index(0, 0).data().toString(), "d\\xFF");

    // A file's image shows the files' slot colour, drawn afresh for a denser screen: there the
    // frame round the colour is one device pixel wide, not two.
    const QIcon image = Model()->index(1, 0).data(Qt::DecorationRole).value<QIcon>();
    const chart::SlotColor files = chart::SlotColors[chart::kSlotCount - 1];
    EXPECT_EQ(QColor(image.pixmap(QSize(32, 16), 2).toImage().pixel(35, 16)),
              QColor(files.red, files.green, files.blue));
}

// Rows shown early move as later ones are sorted in and get their images and ratios at the end,
// so each announcement of new rows repaints the ones shown before.
TEST(ContentsListModel, AnnouncingNewRowsRepaintsTheRowsShownBefore) {
    ContentsListModel model;
    model.InsertRow(0, measure::ListRow{});
    model.ShowNewRows();
    QModelIndex repaintedTo;
    QObject::connect(
        &model, &QAbstractItemModel::dataChanged,
        [&](const QModelIndex&, const QModelIndex& bottomRight) { repaintedTo = bottomRight; });
    model.InsertRow(0, measure::ListRow{});
    model.ShowNewRows();
    EXPECT_EQ(repaintedTo, model.index(0, ContentsListModel::kDate));
}

} // namespace
