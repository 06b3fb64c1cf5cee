#include <unistd.h>

#include <QAbstractItemModel>
#include <QIcon>
#include <QLabel>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "ProgressBarRecorder.h"
#include "chart/SlotColors.h"
#include "document/CVornDoc.h"
#include "document/FolderRequest.h"
#include "document/Hints.h"
#include "resources/ResourceIds.h"
#include "support/ModalAnswerer.h"
#include "support/PaintGate.h"
#include "support/StagedCalls.h"
#include "support/TempTree.h"
#include "views/CVornListView.h"
#include "views/ContentsListModel.h"

namespace {

// Stands for the other panes: the last hint the list told them and its open-folder requests.
class SpyView : public CView {
public:
    void OnUpdate(CView*, long lHint, CObject* pHint) override {
        lastHint = lHint;
        if (const auto* request = dynamic_cast<const FolderRequest*>(pHint)) {
            requests.emplace_back(lHint, request->Name());
        }
    }

    long lastHint = 0;
    std::vector<std::pair<long, std::string>> requests;
};

// What the list adds to the rows the fill measures and orders: how they reach the view, and what
// a click or a double-click on them tells the other panes.
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
        spy.lastHint = 0;
    }
    QAbstractItemModel* Model() const { return list.GetListCtrl()->model(); }
    // A click on the row, double when `twice`.
    void Click(int row, Qt::KeyboardModifiers modifiers = {}, bool twice = false) {
        const QPoint at = list.GetListCtrl()->visualRect(Model()->index(row, 0)).center();
        QTest::mouseClick(list.GetListCtrl()->viewport(), Qt::LeftButton, modifiers, at);
        if (twice) {
            QTest::mouseDClick(list.GetListCtrl()->viewport(), Qt::LeftButton, {}, at);
        }
    }

    std::string started = testsupport::WorkingDirectory();
    testsupport::TempTree folder;
    CVornDoc document;
    testsupport::StagedCalls calls;
    CVornListView list{[](CVornListView&) {}, nullptr, calls};
    SpyView spy;
};

// Rows reach the view merged, only when events are let through and it could paint them.
TEST_F(ContentsList, RefillsOnEachUpdateWithASenderHandingTheRowsOnWhenEventsAreLetThrough) {
    constexpr int kFiles = 3000;
    for (int i = 0; i < kFiles; ++i) {
        folder.File("f" + std::to_string(i), std::uint64_t(i));
    }
    int announcements = 0;
    QObject::connect(Model(), &QAbstractItemModel::rowsInserted, [&] { ++announcements; });
    ProgressBarRecorder bar;
    Fill(7);
    EXPECT_EQ(Model()->rowCount(), kFiles);
    EXPECT_LE(announcements, bar.pumps + 1);
    Fill();
    EXPECT_EQ(Model()->rowCount(), kFiles);
}

// However long one folder takes to measure, the windows keep painting meanwhile; a folder that
// cannot be measured to its end is told by its name.
TEST_F(ContentsList, PaintsWhileAFolderIsMeasuredAndTellsOneThatFallsShort) {
    folder.File("slow/data", 5);
    testsupport::PaintGate gate;
    calls.beforeOpen = [&gate](int, const char* name) {
        if (std::string_view(name) == "slow") {
            gate.Hold();
        }
        return 0;
    };
    Fill();
    EXPECT_TRUE(gate.PaintedWhileHeld());
    EXPECT_EQ(list.Row(0).size, 5u);

    calls.beforeOpen = [](int, const char* name) {
        return std::string_view(name) == "slow" ? EMFILE : 0;
    };
    QStringList notices;
    const testsupport::ModalAnswerer answerer([&notices](CDialog& notice) {
        notices << qobject_cast<QLabel*>(notice.GetDlgItem(IDC_NAME))->text();
        notice.EndDialog(IDOK);
    });
    Fill();
    EXPECT_EQ(notices, QStringList{"slow"});
}

TEST_F(ContentsList, ClicksTellThePanesTheSelectedTotalAndADoubleClickedFolderRow) {
    const std::string name = "d\xff";      // asked for as it is, not as it is shown
    folder.File(".git/objects/pack", 100); // the largest folder, hidden by its dot
    folder.File(name + "/x", 10);
    folder.File("three", 3'000'000'000); // the total goes past 32 bits
    folder.File("two", 2'000'000'000);
    Fill();
    Click(2);
    Click(3, Qt::ShiftModifier);
    Click(1, Qt::ControlModifier);
    EXPECT_EQ(document.GetSelectedTotal(), 5'000'000'010u);
    EXPECT_EQ(spy.lastHint, HINT_SELECTION_CHANGED);

    // Only a folder row asks the tree to open it, not the first file row, and it names the folder
    // by its number in the order the folder lists its folders, the dot folder counted too.
    Click(2, {}, true);
    Click(1, {}, true);
    long ordinal = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Root())) {
        if (entry.path().filename() == name) {
            break;
        }
        ordinal += entry.is_directory() ? 1 : 0;
    }
    EXPECT_EQ(spy.requests, (std::vector<std::pair<long, std::string>>{{ordinal, name}}));

    // A file's image shows the files' slot colour, drawn afresh for a denser screen: there the
    // frame round the colour is one device pixel wide, not two.
    const QIcon image = Model()->index(2, 0).data(Qt::DecorationRole).value<QIcon>();
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
