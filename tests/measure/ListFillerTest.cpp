#include <dirent.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "measure/CellText.h"
#include "measure/ListFiller.h"
#include "measure/ListImage.h"
#include "measure/MemoryRowStore.h"
#include "measure/SlotRecord.h"
#include "support/TempTree.h"

namespace {

using measure::EntryRecord;

EntryRecord Folder(const std::string& name, std::uint64_t size, std::int32_t ordinal) {
    return EntryRecord{name, true, size, 0, ordinal, measure::KilobytesOf(size)};
}

EntryRecord File(const std::string& name, std::uint64_t size) {
    return EntryRecord{name, false, size, 0, -1, measure::KilobytesOf(size)};
}

class ListOrder : public ::testing::Test {
protected:
    // Inserts in the given order, then runs the steps that follow a scan.
    void Insert(const std::vector<EntryRecord>& entries) {
        for (const EntryRecord& entry : entries) {
            filler.InsertEntry(entry);
        }
        filler.UpdateChartSlots();
        filler.ColourTopFolders();
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (int i = 0; i < rows.RowCount(); ++i) {
            names.push_back(rows.Row(i).name);
        }
        return names;
    }

    measure::MemoryRowStore rows;
    measure::SlotRecord totals;
    measure::ListFiller filler{rows, totals};
};

TEST_F(ListOrder, FoldersFirstLargestFirstTiesInEnumerationOrder) {
    Insert({Folder("P", 5, 0), File("X", 0), Folder("Q", 9, 1), File("Y", 7), Folder("R", 9, 2)});
    EXPECT_EQ(Names(), (std::vector<std::string>{"Q", "R", "P", "Y", "X"}));
    EXPECT_EQ(rows.Row(0).image, 0);
    EXPECT_EQ(rows.Row(1).image, 1);
    EXPECT_EQ(rows.Row(2).image, 2);
    EXPECT_EQ(rows.Row(3).image, measure::kImageFile);
    EXPECT_EQ(rows.Row(4).image, measure::kImageEmptyFile);
    EXPECT_EQ(rows.Row(0).itemData, 1);
    EXPECT_EQ(rows.Row(3).itemData, -1);
    EXPECT_EQ(filler.FolderCount(), 3);
}

TEST_F(ListOrder, EmptyFolderStaysAboveFilesAndGetsNoColour) {
    Insert({File("big", 3000000000ull), Folder("a", 4000, 0), Folder("empty", 0, 1),
            Folder("b", 3000, 2), Folder("c", 2000, 3), Folder("d", 1, 4), File("small", 1000)});
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b", "c", "d", "empty", "big", "small"}));
    EXPECT_EQ(rows.Row(3).image, 3) << "a folder of one byte is coloured";
    EXPECT_EQ(rows.Row(4).image, measure::kImageEmptyFolder);
    EXPECT_EQ(totals.Slots()[3], 1u);
    EXPECT_EQ(totals.Slots()[4], 0u);
}

TEST_F(ListOrder, FoldersBeyondTheTenthShareOneColourAndOneSlot) {
    std::vector<EntryRecord> entries;
    for (int i = 0; i < 12; ++i) {
        entries.push_back(Folder("f" + std::to_string(i), 2048u * (20 - i), i));
    }
    entries.push_back(File("one", 1));
    entries.push_back(File("two", 1));
    entries.push_back(File("three", 1));
    Insert(entries);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(rows.Row(i).image, i);
        EXPECT_EQ(totals.Slots()[std::size_t(i)], 2u * (20 - i));
    }
    EXPECT_EQ(rows.Row(10).image, measure::kImageFurtherFolder);
    EXPECT_EQ(rows.Row(11).image, measure::kImageFurtherFolder);
    EXPECT_EQ(totals.Slots()[10], 2u * 10 + 2u * 9);
}

TEST_F(ListOrder, ManyEntriesKeepTheStableDescendingOrder) {
    // Checks the halving search against the plain definition on an order that stresses it.
    std::vector<EntryRecord> entries;
    for (int i = 0; i < 3000; ++i) {
        entries.push_back(File("f" + std::to_string(i), std::uint64_t((i * 7919) % 97)));
    }
    Insert(entries);
    std::vector<EntryRecord> expected = entries;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const EntryRecord& a, const EntryRecord& b) { return a.size > b.size; });
    ASSERT_EQ(rows.RowCount(), 3000);
    for (int i = 0; i < rows.RowCount(); ++i) {
        ASSERT_EQ(rows.Row(i).name, expected[std::size_t(i)].name) << "row " << i;
    }
}

// Names of the listed sub-folders in the order the file system enumerates them.
std::vector<std::string> EnumeratedFolders(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    while (dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.' && entry->d_type == DT_DIR) {
            names.push_back(entry->d_name);
        }
    }
    ::closedir(dir);
    return names;
}

class FolderFill : public ::testing::Test {
protected:
    FolderFill() : started(testsupport::WorkingDirectory()) {}
    ~FolderFill() override { [[maybe_unused]] int ignored = ::chdir(started.c_str()); }

    int Fill() {
        EXPECT_EQ(::chdir(tree.Root().c_str()), 0);
        rows.Clear();
        measure::ListFiller filler(rows, totals);
        int steps = 0;
        filler.Fill([&] { ++steps; });
        EXPECT_EQ(testsupport::WorkingDirectory(), tree.Root());
        return steps;
    }
    const measure::ListRow* Find(const std::string& name) const {
        for (int i = 0; i < rows.RowCount(); ++i) {
            if (rows.Row(i).name == name) {
                return &rows.Row(i);
            }
        }
        return nullptr;
    }

    std::string started;
    testsupport::TempTree tree;
    measure::MemoryRowStore rows;
    measure::SlotRecord totals;
};

TEST_F(FolderFill, EmptyFolderGivesNoRowsAndZeroFigures) {
    EXPECT_EQ(Fill(), 0);
    EXPECT_EQ(rows.RowCount(), 0);
    EXPECT_EQ(totals.CurrentTotal(), 0u);
    EXPECT_EQ(totals.Slots(), (std::array<std::uint64_t, 12>{}));
}

TEST_F(FolderFill, MeasuresListsAndNumbersEntriesAsEnumerated) {
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
    EXPECT_EQ(Fill(), 7) << "one step per listed entry";
    ASSERT_EQ(rows.RowCount(), 7);
    EXPECT_EQ(Find(".profile"), nullptr);
    EXPECT_EQ(Find(".hidden"), nullptr);
    EXPECT_EQ(Find("sub")->size, 2u);
    EXPECT_EQ(totals.CurrentTotal(), (5ull << 30) + 5);
    EXPECT_EQ(totals.Slots()[11], 5242880u + 3u) << "each file rounds up by itself";
    std::vector<std::string> folders = EnumeratedFolders(tree.Root());
    for (std::size_t i = 0; i < folders.size(); ++i) {
        EXPECT_EQ(Find(folders[i])->itemData, std::int32_t(i)) << folders[i];
    }
    EXPECT_EQ(Find("huge")->ratioText, "100.0 %");
    EXPECT_EQ(Find("one")->ratioText, "0.0 %");
    EXPECT_EQ(Find("b")->ratioText, "0.0 %");
}

TEST_F(FolderFill, RepeatedFillsLeakNoDescriptors) {
    tree.File("a/b/c", 10);
    tree.File("d", 10);
    Fill();
    int before = testsupport::OpenDescriptorCount();
    for (int i = 0; i < 20; ++i) {
        Fill();
    }
    EXPECT_EQ(testsupport::OpenDescriptorCount(), before);
}

} // namespace
