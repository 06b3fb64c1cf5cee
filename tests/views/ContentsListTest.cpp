#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QIcon>
#include <QPixmap>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <array>
#include <ctime>
#include <string>
#include <vector>

#include "SpyView.h"
#include "document/CVornDoc.h"
#include "document/Hints.h"
#include "resources/Resources.h"
#include "support/LocalTime.h"
#include "support/TempTree.h"
#include "views/CVornListView.h"

namespace {

void SetWriteTime(const std::string& path, std::time_t time) {
    const timespec times[2] = {{time, 0}, {time, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

class ContentsList : public ::testing::Test {
protected:
    ContentsList() : m_startFolder(testsupport::WorkingDirectory()) {
        list.AttachDocument(&document);
        spy.AttachDocument(&document);
        list.OnInitialUpdate();
        list.resize(600, 400);
        list.show();
    }
    ~ContentsList() override { [[maybe_unused]] int ignored = ::chdir(m_startFolder.c_str()); }

    // What the tree does when it makes a folder current.
    void Fill(long hint = HINT_CURRENT_FOLDER_CHANGED) {
        ASSERT_EQ(::chdir(folder.Root().c_str()), 0);
        spy.updates.clear();
        document.UpdateAllViews(&tree, hint);
        // The fill itself broadcasts nothing: the spy saw the tree's update alone.
        ASSERT_EQ(spy.updates.size(), 1u);
        EXPECT_EQ(spy.updates[0].sender, &tree);
        spy.updates.clear();
    }

    QAbstractItemModel* Model() const { return list.GetListCtrl()->model(); }
    QString Cell(int row, int column) const {
        return Model()->index(row, column).data().toString();
    }
    // The row's image as the list draws it on a device of the given pixel ratio.
    QPixmap Image(int row, qreal ratio = 1) const {
        const QIcon image = Model()->index(row, 0).data(Qt::DecorationRole).value<QIcon>();
        return image.pixmap(QSize(32, 16), ratio);
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (int row = 0; row < list.RowCount(); ++row) {
            names.push_back(list.Row(row).name);
        }
        return names;
    }
    int RowNamed(const std::string& name) const {
        for (int row = 0; row < list.RowCount(); ++row) {
            if (list.Row(row).name == name) {
                return row;
            }
        }
        return -1;
    }
    QPoint RowCentre(int row) const {
        return list.GetListCtrl()->visualRect(Model()->index(row, 0)).center();
    }
    void Click(int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(list.GetListCtrl()->viewport(), Qt::LeftButton, modifiers,
                          RowCentre(row));
    }
    void DoubleClick(QPoint at) {
        QTest::mouseClick(list.GetListCtrl()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list.GetListCtrl()->viewport(), Qt::LeftButton, {}, at);
    }

    testsupport::TempTree folder;
    CVornDoc document;
    CVornListView list{[](CVornListView&) {}};
    SpyView spy;
    SpyView tree; // the sender of hint 0, attached nowhere

private:
    std::string m_startFolder;
};

TEST_F(ContentsList, HasItsFiveColumnsAndNoRowsBeforeTheFirstFill) {
    const QHeaderView* header = list.GetListCtrl()->header();
    const std::vector<QString> titles{"Name", "Size", "Size(Byte)", "Ratio", "Date"};
    const std::vector<int> widths{180, 95, 0, 60, 125};
    const std::vector<bool> right{false, true, true, true, false};
    ASSERT_EQ(Model()->columnCount(), 5);
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(Model()->headerData(column, Qt::Horizontal).toString(), titles[column]);
        EXPECT_EQ(header->sectionSize(column), widths[column]) << column;
        EXPECT_FALSE(header->isSectionHidden(column));
        const auto alignment = Model()
                                   ->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole)
                                   .value<Qt::Alignment>();
        EXPECT_EQ(bool(alignment & Qt::AlignRight), right[column]) << column;
    }
    EXPECT_EQ(Model()->rowCount(), 0);
}

TEST_F(ContentsList, ShowsFoldersThenFilesLargestFirstWithImagesTextsAndTotals) {
    folder.File("big/one", 3000);
    folder.File("big/two", 2000);
    folder.File("small/one", 1);
    folder.Folder("empty");
    folder.File("a.dat", 1025);
    folder.File("zero.dat", 0);
    folder.File(".hidden", 10);
    std::tm written = testsupport::LocalTime(1997, 3, 5, 9, 7, 31);
    SetWriteTime(folder.Path("a.dat"), std::mktime(&written));
    Fill();

    EXPECT_EQ(Names(), (std::vector<std::string>{"big", "small", "empty", "a.dat", "zero.dat"}));
    EXPECT_EQ(list.FolderCount(), 3);
    ASSERT_EQ(Model()->rowCount(), 5);
    const std::vector<unsigned> bitmaps{134, 137, 148, 147, 149};
    const std::vector<std::vector<QString>> cells{{"big", "5 KB", "5000", "83.0 %"},
                                                  {"small", "1 KB", "1", "0.0 %"},
                                                  {"empty", "0 KB", "0", "0.0 %"},
                                                  {"a.dat", "2 KB", "1025", "17.0 %"},
                                                  {"zero.dat", "0 KB", "0", "0.0 %"}};
    for (int row = 0; row < 5; ++row) {
        const QImage plain = Image(row).toImage();
        EXPECT_EQ(plain, resources::LoadBitmap(bitmaps[row]).toImage()) << row;
        // On a screen of twice the density: drawn there, not the 1x image scaled up.
        const QPixmap sharp = Image(row, 2);
        EXPECT_EQ(sharp.devicePixelRatio(), 2) << row;
        EXPECT_EQ(sharp.size(), QSize(64, 32)) << row;
        EXPECT_NE(sharp.toImage(), plain.scaled(64, 32).convertToFormat(sharp.toImage().format()))
            << row;
        for (int column = 0; column < 4; ++column) {
            EXPECT_EQ(Cell(row, column), cells[row][column]) << row << ',' << column;
        }
    }
    EXPECT_EQ(Cell(3, 4), "1997/03/05 9:07");
    EXPECT_EQ(list.Row(0).itemData + list.Row(1).itemData + list.Row(2).itemData, 0 + 1 + 2);
    EXPECT_EQ(list.Row(3).itemData, -1);

    EXPECT_EQ(document.GetCurrentTotal(), 6026u);
    const std::array<std::uint64_t, 12> expectedSlots{5, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2};
    EXPECT_EQ(document.ChartSlots(), expectedSlots);
}

TEST_F(ContentsList, RefillsFromScratchOnEveryUpdateWithASenderWhateverTheHint) {
    folder.File("one", 10);
    Fill();
    folder.File("two", 20);
    Fill(7);
    EXPECT_EQ(Names(), (std::vector<std::string>{"two", "one"}));
    EXPECT_EQ(Model()->rowCount(), 2);
    EXPECT_EQ(Cell(0, 3), "66.7 %");
}

TEST_F(ContentsList, LeavesTheRowsAsTheyAreOnUpdatesWithoutASender) {
    folder.File("one", 10);
    Fill();
    folder.File("two", 20);
    for (long hint : {HINT_CURRENT_FOLDER_CHANGED, HINT_REFRESH_CURRENT, HINT_SELECTION_CHANGED,
                      HINT_AFTER_DELETE}) {
        document.UpdateAllViews(nullptr, hint);
    }
    EXPECT_EQ(Names(), std::vector<std::string>{"one"});
    EXPECT_EQ(document.GetCurrentTotal(), 10u);
}

TEST_F(ContentsList, SelectionStoresTheSelectedTotalAndBroadcastsHintFive) {
    folder.File("hundred", 100);
    folder.File("two-hundred", 200);
    folder.File("fifty", 50);
    Fill();
    Click(0);
    spy.updates.clear();
    Click(1, Qt::ControlModifier);
    EXPECT_EQ(list.SelectedRows(), (std::vector<int>{0, 1}));
    EXPECT_EQ(document.GetSelectedTotal(), 300u);
    ASSERT_FALSE(spy.updates.empty());
    for (const SpyView::Update& update : spy.updates) {
        EXPECT_EQ(update.sender, nullptr);
        EXPECT_EQ(update.hint, HINT_SELECTION_CHANGED);
        EXPECT_FALSE(update.hasObject);
    }
    Click(2);
    EXPECT_EQ(document.GetSelectedTotal(), 50u);
}

TEST_F(ContentsList, SelectedTotalGoesPastFourGigabytes) {
    folder.File("three", 3'000'000'000);
    folder.File("two", 2'000'000'000);
    Fill();
    Click(0);
    Click(1, Qt::ShiftModifier);
    EXPECT_EQ(document.GetSelectedTotal(), 5'000'000'000u);
    EXPECT_EQ(Cell(0, 2), "3000000000");
}

TEST_F(ContentsList, DoubleClickOnFolderRowAsksTheTreeForThatFolder) {
    folder.File("a/x", 300);
    folder.File("b/x", 200);
    folder.File("c/x", 100);
    folder.File("file", 1000);
    Fill();
    int row = 0;
    while (row < list.RowCount() && list.Row(row).itemData != HINT_FOLDER_UP) {
        ++row;
    }
    ASSERT_LT(row, list.FolderCount());
    DoubleClick(RowCentre(row));
    const std::vector<SpyView::Update> requests = spy.WithSender();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].sender, &list);
    EXPECT_EQ(requests[0].hint, 1);
    EXPECT_EQ(requests[0].requestedName, list.Row(row).name);
    // Nothing else asked to go up: every other update was a selection change.
    for (const SpyView::Update& update : spy.updates) {
        EXPECT_TRUE(update.sender || update.hint == HINT_SELECTION_CHANGED);
    }
}

TEST_F(ContentsList, DoubleClickOnFileRowOrWithNothingSelectedSendsNothing) {
    folder.File("a/x", 300);
    folder.File("file", 1000);
    Fill();
    DoubleClick(RowCentre(1));
    const QRect blank = list.GetListCtrl()->viewport()->rect();
    DoubleClick(QPoint(blank.center().x(), blank.bottom() - 2));
    EXPECT_TRUE(list.SelectedRows().empty());
    EXPECT_TRUE(spy.WithSender().empty());
}

TEST_F(ContentsList, UndecodableNamesAreShownVisiblyAndKeptAsBytes) {
    const std::string folderName = "d\xff\xfe";
    folder.File(folderName + "/x", 10);
    folder.File("caf\xe9", 5);
    Fill();
    ASSERT_EQ(Names(), (std::vector<std::string>{folderName, "caf\xe9"}));
    EXPECT_EQ(Cell(0, 0), "d\\xFF\\xFE");
    EXPECT_EQ(Cell(1, 0), "caf\\xE9");
    DoubleClick(RowCentre(0));
    ASSERT_EQ(spy.WithSender().size(), 1u);
    EXPECT_EQ(spy.WithSender()[0].requestedName, folderName);
}

TEST_F(ContentsList, HandsTheFilledRowsToTheViewInFewMergedBatches) {
    constexpr int kFiles = 3000;
    for (int i = 0; i < kFiles; ++i) {
        folder.File("f" + std::to_string(i), std::uint64_t(i));
    }
    int announcements = 0;
    QObject::connect(Model(), &QAbstractItemModel::rowsInserted, [&] { ++announcements; });
    Fill();
    EXPECT_EQ(Model()->rowCount(), kFiles);
    EXPECT_LT(announcements, 20);
    EXPECT_EQ(Cell(0, 0), "f2999");
    EXPECT_EQ(Cell(kFiles - 1, 0), "f0");
}

} // namespace
