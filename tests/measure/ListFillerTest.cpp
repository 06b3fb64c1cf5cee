#include "measure/ListFiller.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "measure/CellText.h"
#include "measure/ListImage.h"
#include "measure/MemoryRowStore.h"
#include "measure/SlotRecord.h"
#include "support/TempTree.h"

namespace vorn_test {

namespace {

using measure::EntryRecord;

EntryRecord Folder(const std::string& name, std::uint64_t size, std::int32_t ordinal) {
    return EntryRecord{name, true, size, 0, ordinal, measure::KilobytesOf(size)};
}

EntryRecord File(const std::string& name, std::uint64_t size) {
    return EntryRecord{name, false, size, 0, -1, measure::KilobytesOf(size)};
}

// Lists either entries handed in as a scan would, or the temporary folder it works in.
class ListFill : public ::testing::Test {
protected:
    ListFill() { EXPECT_EQ(::chdir(tree.Root().c_str()), 0); }
    ~ListFill() override { EXPECT_EQ(::chdir(started.c_str()), 0); }

    // Inserts in the given order, then runs the steps that follow a scan.
    void Insert(const std::vector<EntryRecord>& entries) {
        for (const EntryRecord& entry : entries) {
            filler.InsertEntry(entry);
        }
        filler.UpdateChartSlots();
        filler.ColourTopFolders();
    }
    const measure::ListRow* Find(const std::string& name) const {
        for (int i = 0; i < rows.RowCount(); ++i) {
            if (rows.Row(i).name == name) {
                return &rows.Row(i);
            }
        }
        return nullptr;
    }

    std::string started = testsupport::WorkingDirectory();
    testsupport::TempTree tree;
    measure::MemoryRowStore rows;
    measure::SlotRecord totals;
    measure::ListFiller filler{rows, totals};
};

TEST_F(ListFill, FoldersFirstLargestFirstTiesInEnumerationOrder) {
    Insert({File("X", 0), Folder("P", 5, 0), File("Y", 7), Folder("Q", 9, 1), Folder("R", 9, 2),
            Folder("empty", 0, 3), Folder("tiny", 1, 4)});
    const struct {
        const char* name;
        int image;
        int ordinal;
    } expected[] = {{"Q", 0, 1},
                    {"R", 1, 2},
                    {"P", 2, 0},
                    {"tiny", 3, 4}, // one byte is one KB, so coloured
                    {"empty", measure::kImageEmptyFolder, 3},
                    {"Y", measure::kImageFile, -1},
                    {"X", measure::kImageEmptyFile, -1}};
    ASSERT_EQ(rows.RowCount(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(rows.Row(i).name, expected[i].name) << i;
        EXPECT_EQ(rows.Row(i).image, expected[i].image) << i;
        EXPECT_EQ(rows.Row(i).itemData, expected[i].ordinal) << i;
    }
    EXPECT_EQ(filler.FolderCount(), 5);
    EXPECT_EQ(totals.Slots()[3], 1u);
    EXPECT_EQ(totals.Slots()[4], 0u);
}

TEST_F(ListFill, ManyEntriesKeepTheStableOrderAndFoldersBeyondTheTenthShareOneSlot) {
    // Checks the halving search against the plain definition on an order that stresses it.
    std::vector<EntryRecord> entries;
    for (int i = 0; i < 3000; ++i) {
        const std::uint64_t size = std::uint64_t((i * 7919) % 97) * 1000;
        entries.push_back(i % 3 == 0 ? Folder("f" + std::to_string(i), size, i / 3)
                                     : File("f" + std::to_string(i), size));
    }
    Insert(entries);
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.isFolder != b.isFolder ? a.isFolder : a.size > b.size;
    });
    ASSERT_EQ(rows.RowCount(), 3000);
    std::uint64_t furtherKb = 0;
    for (int i = 0; i < rows.RowCount(); ++i) {
        ASSERT_EQ(rows.Row(i).name, entries[std::size_t(i)].name) << "row " << i;
        furtherKb += i >= 10 && entries[std::size_t(i)].isFolder ? entries[std::size_t(i)].kb : 0;
    }
    EXPECT_EQ(rows.Row(10).image, measure::kImageFurtherFolder);
    EXPECT_EQ(totals.Slots()[10], furtherKb);
}

TEST_F(ListFill, MeasuresListsAndNumbersTheFoldersEntriesAsEnumerated) {
    tree.File("sub/a", 1);
    tree.File("sub/deeper/b", 1);
    tree.File("sub/.cache/c", 500);
    tree.File("one", 1);
    tree.File("two", 1);
    tree.File("three", 1);
    tree.File(".profile", 900);
    tree.Folder("b");
    tree.Folder("x");
    tree.Folder(".hidden");
    tree.File("huge", 5ull << 30);
    const int before = testsupport::OpenDescriptorCount();
    int steps = 0;
    filler.Fill([&] { ++steps; });
    EXPECT_EQ(testsupport::OpenDescriptorCount(), before);
    EXPECT_EQ(testsupport::WorkingDirectory(), tree.Root());
    EXPECT_EQ(steps, 7) << "one step per listed entry";
    ASSERT_EQ(rows.RowCount(), 7) << "no dot names, nor \".\" and \"..\"";
    EXPECT_EQ(Find("sub")->size, 2u);
    EXPECT_EQ(totals.CurrentTotal(), (5ull << 30) + 5);
    EXPECT_EQ(totals.Slots()[11], 5242880u + 3u) << "each file rounds up by itself";
    int ordinal = 0;
    for (const auto& entry : std::filesystem::directory_iterator(tree.Root())) {
        if (entry.is_directory() && entry.path().filename().string()[0] != '.') {
            EXPECT_EQ(Find(entry.path().filename())->itemData, ordinal++) << entry.path();
        }
    }
    EXPECT_EQ(Find("huge")->ratioText, "100.0 %");
    EXPECT_EQ(Find("one")->ratioText, "0.0 %");
    EXPECT_EQ(Find("b")->ratioText, "0.0 %");
}

} // namespace

} // namespace vorn_test
