#include "measure/ListFiller.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>

#include "measure/CellText.h"
#include "measure/ListImage.h"

namespace measure {

ListFiller::ListFiller(RowStore& rows, ChartTotals& totals, const platform::FolderCalls& calls)
    : m_rows(rows), m_totals(totals),
      m_walker(std::thread::hardware_concurrency(), platform::StartThread, calls) {}

void ListFiller::Fill(const std::function<void()>& stepIt, platform::Meanwhile& meanwhile) {
    Scan(stepIt, meanwhile);
    m_totals.SetCurrentTotal(m_currentTotal);
    UpdateChartSlots();
    ColourTopFolders();
    SetRatioColumn(m_currentTotal);
}

void ListFiller::Scan(const std::function<void()>& stepIt, platform::Meanwhile& meanwhile) {
    m_nFileKB = 0;
    m_nFolderCount = 0;
    m_currentTotal = 0;
    m_complete = true;
    m_shortName.clear();
    platform::FileDescriptor here(::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!here.Valid()) {
        // A folder that vanished or cannot be read lists nothing; one that could not be opened
        // for want of descriptors or memory falls short.
        m_complete = errno == ENOENT || errno == EACCES || errno == EPERM;
        return;
    }
    // The helpers read the entries and their status ahead, and measure the folders among them
    // side by side; each is still inserted, and its step taken, in the order listed.
    m_walker.List(here.Get());
    while (const ListedBatch* batch = m_walker.NextListed(meanwhile)) {
        FallShort(!batch->complete, {});
        for (const ListedEntry& listed : batch->entries) {
            const FolderSize size = listed.inLine ? m_walker.NextSize(meanwhile) : FolderSize();
            if (!listed.listed) {
                continue; // gone since it was listed; its place in line is taken all the same
            }
            EntryRecord entry{batch->Name(listed), listed.inLine,
                              listed.inLine ? size.bytes : listed.size, listed.writeTime, -1};
            if (entry.isFolder) {
                entry.ordinal = m_nFolderCount;
                FallShort(!size.complete, entry.name);
            } else {
                m_nFileKB += KilobytesOf(entry.size);
            }
            m_currentTotal += entry.size;
            InsertEntry(entry);
            stepIt();
        }
    }
    FallShort(!m_walker.ListingComplete(), {});
}

// Keeps the first shortfall: a folder by its name, the listing itself by none.
void ListFiller::FallShort(bool shortfall, std::string_view name) {
    if (shortfall && m_complete) {
        m_complete = false;
        m_shortName = name;
    }
}

void ListFiller::InsertEntry(const EntryRecord& entry) {
    ListRow row;
    row.name = entry.name;
    row.size = entry.size;
    row.writeTime = entry.writeTime;
    row.itemData = entry.ordinal;
    if (entry.isFolder) {
        row.image = entry.size > 0 ? kImageFurtherFolder : kImageEmptyFolder;
    } else {
        row.image = entry.size > 0 ? kImageFile : kImageEmptyFile;
    }
    m_rows.InsertRow(FindInsertPos(entry, m_rows.RowCount()), row);
}

int ListFiller::FindInsertPos(const EntryRecord& entry, int rowCount) {
    // Each group is ordered largest first, so the first row smaller than the entry is found
    // by halving: the same place a row-by-row search finds, without its quadratic cost.
    int first = entry.isFolder ? 0 : m_nFolderCount;
    int last = entry.isFolder ? m_nFolderCount : rowCount;
    // No row of the group smaller than its last: the end of the group, at once. Wide folders of
    // files of one size, or listed largest first, take no search at all.
    if (first < last && entry.size <= m_rows.Row(last - 1).size) {
        first = last;
    }
    while (first < last) {
        int middle = first + (last - first) / 2;
        if (entry.size > m_rows.Row(middle).size) {
            last = middle;
        } else {
            first = middle + 1;
        }
    }
    if (entry.isFolder) {
        ++m_nFolderCount;
    }
    return first;
}

void ListFiller::UpdateChartSlots() {
    m_nOtherKB = 0;
    m_totals.ClearChartSlots();
    for (int i = 0; i < m_nFolderCount; ++i) {
        const std::uint64_t kb = KilobytesOf(m_rows.Row(i).size);
        if (i < kColouredFolders) {
            m_totals.SetChartSlot(i, kb);
        } else {
            m_nOtherKB += kb;
        }
    }
    m_totals.SetChartSlot(ChartTotals::kOtherFoldersSlot, m_nOtherKB);
    m_totals.SetChartSlot(ChartTotals::kFilesSlot, m_nFileKB);
}

void ListFiller::ColourTopFolders() {
    for (int i = 0; i < std::min(m_nFolderCount, kColouredFolders); ++i) {
        m_rows.SetImage(i, KilobytesOf(m_rows.Row(i).size) >= 1 ? i : kImageEmptyFolder);
    }
}

void ListFiller::SetRatioColumn(std::uint64_t total) {
    m_rows.SetRatioTotal(total);
}

} // namespace measure
