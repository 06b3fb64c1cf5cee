#include "measure/ListFiller.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "measure/CellText.h"
#include "measure/ListImage.h"
#include "measure/MemoryRowStore.h"
#include "measure/SlotRecord.h"
#include "support/TempTree.h"

namespace vorn_test {

namespace {

// Lists the temporary folder it works in, or entries handed in as a scan would.
class ListFill : public ::testing::Test {
protected:
    ListFill() { EXPECT_EQ(::chdir(tree.Root().c_str()), 0); }
    ~ListFill() override { EXPECT_EQ(::chdir(started.c_str()), 0); }

    std::string started = testsupport::WorkingDirectory();
    testsupport::TempTree tree;
    measure::MemoryRowStore rows;
    measure::SlotRecord totals;
    measure::ListFiller filler{rows, totals};
};

TEST_F(ListFill, MeasuresListsAndNumbersTheFoldersEntriesAsEnumerated) {
    for (const char* file : {"sub/a", "sub/deeper/b", "one", "two", "three"}) {
        tree.File(file, 1);
    }
    tree.File(".dotfile", 200'000); // a leading dot hides an entry, but its bytes count
    tree.File(".hidden/.inner/x", 3'000'000);
    tree.File("empty", 0);
    tree.File("huge", 5ull << 30);
    for (const char* folder : {"b", "x"}) {
        tree.Folder(folder);
    }
    const int before = testsupport::OpenDescriptorCount();
    filler.Fill([] {});
    EXPECT_EQ(testsupport::OpenDescriptorCount(), before);
    EXPECT_EQ(testsupport::WorkingDirectory(), tree.Root());
    ASSERT_EQ(rows.RowCount(), 10) << "every entry but \".\" and \"..\"";
    std::map<std::string, int> index;
    for (int i = 0; i < rows.RowCount(); ++i) {
        index[std::string(rows.Row(i).name)] = i;
    }
    const auto row = [&](const std::string& name) { return rows.Row(index.at(name)); };
    EXPECT_EQ(row("sub").size, 2u);
    EXPECT_EQ(row(".hidden").size, 3'000'000u);
    EXPECT_EQ(totals.CurrentTotal(), (5ull << 30) + 3'200'005);
    EXPECT_EQ(totals.Slots()[11], 5242880u + 196u + 3u) << "each file rounds up by itself";
    EXPECT_EQ(rows.RatioCell(index.at("huge")), "99.9 %");
    int ordinal = 0;
    for (const auto& entry : std::filesystem::directory_iterator(tree.Root())) {
        if (entry.is_directory()) {
            EXPECT_EQ(row(entry.path().filename()).itemData, ordinal++) << entry.path();
        }
    }
    // A folder of a few bytes is one KB, so coloured; empty entries have images of their own.
    EXPECT_EQ(row(".hidden").image, 0);
    EXPECT_EQ(row("sub").image, 1);
    EXPECT_EQ(row("b").image, measure::kImageEmptyFolder);
    EXPECT_EQ(row("one").image, measure::kImageFile);
    EXPECT_EQ(row("empty").image, measure::kImageEmptyFile);
}

TEST_F(ListFill, FoldersFirstLargestFirstTiesInOrderAndFoldersBeyondTheTenthShareOneSlot) {
    // Checks the halving search against the plain definition on an order that stresses it.
    std::vector<std::string> names;
    std::vector<measure::EntryRecord> entries;
    for (int i = 0; i < 3000; ++i) {
        names.push_back("f" + std::to_string(i));
    }
    for (int i = 0; i < 3000; ++i) {
        const std::uint64_t size = std::uint64_t((i * 7919) % 97) * 1000;
        entries.push_back({names[std::size_t(i)], i % 3 == 0, size, 0, -1});
        filler.InsertEntry(entries.back());
    }
    filler.UpdateChartSlots();
    filler.ColourTopFolders();
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.isFolder != b.isFolder ? a.isFolder : a.size > b.size;
    });
    ASSERT_EQ(rows.RowCount(), 3000);
    std::uint64_t furtherKb = 0;
    for (int i = 0; i < rows.RowCount(); ++i) {
        ASSERT_EQ(rows.Row(i).name, entries[std::size_t(i)].name) << "row " << i;
        const measure::EntryRecord& entry = entries[std::size_t(i)];
        furtherKb += i >= 10 && entry.isFolder ? measure::KilobytesOf(entry.size) : 0;
    }
    EXPECT_EQ(rows.Row(10).image, measure::kImageFurtherFolder);
    EXPECT_EQ(totals.Slots()[10], furtherKb);
}

} // namespace

} // namespace vorn_test
