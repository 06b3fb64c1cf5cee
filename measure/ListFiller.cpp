#include "measure/ListFiller.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <deque>

#include "measure/CellText.h"
#include "measure/DateText.h"
#include "measure/ListImage.h"
#include "platform/FolderReader.h"

namespace measure {

namespace {

// Entries read but not yet inserted: enough to keep every walker busy with a folder of its own.
constexpr std::size_t kReadAhead = 256;

} // namespace

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
    // Entries are read ahead of their insertion so that the folders among them are measured
    // side by side; each is still inserted, and its step taken, in the order listed.
    platform::FolderReader reader(here.Get());
    std::deque<EntryRecord> listed;
    bool more = true;
    for (;;) {
        while (more && listed.size() < kReadAhead) {
            more = ReadEntry(reader, here.Get(), listed);
        }
        if (listed.empty()) {
            break;
        }
        EntryRecord entry = std::move(listed.front());
        listed.pop_front();
        if (entry.isFolder) {
            const FolderSize size = m_walker.NextSize(meanwhile);
            entry.size = size.bytes;
            entry.ordinal = m_nFolderCount;
            if (!size.complete && m_complete) {
                m_complete = false;
                m_shortName = entry.name;
            }
        }
        entry.kb = KilobytesOf(entry.size);
        if (!entry.isFolder) {
            m_nFileKB += entry.kb;
        }
        m_currentTotal += entry.size;
        InsertEntry(entry);
        stepIt();
    }
}

// Reads the entries of folderFd up to the next listed one, which goes at the end of `listed`; a
// folder is put in line to be measured. False once the folder holds no further entry.
bool ListFiller::ReadEntry(platform::FolderReader& reader, int folderFd,
                           std::deque<EntryRecord>& listed) {
    platform::EntryStatus status;
    while (reader.Next()) {
        if (reader.IsSelfOrParent()) {
            continue;
        }
        if (!reader.Status(status)) {
            FallShort(errno != ENOENT); // gone since it was listed, or not to be read
            continue;
        }
        EntryRecord& entry = listed.emplace_back();
        entry.name.assign(reader.Name());
        entry.isFolder = status.isFolder;
        entry.writeTime = status.writeTime;
        if (entry.isFolder) {
            m_walker.Add(folderFd, entry.name);
        } else {
            entry.size = status.size;
        }
        return true;
    }
    FallShort(reader.Error() != 0); // a listing that fails half way
    return false;
}

// The listing itself falls short, before any folder has.
void ListFiller::FallShort(bool shortfall) {
    if (shortfall && m_complete) {
        m_complete = false;
        m_shortName.clear();
    }
}

void ListFiller::InsertEntry(const EntryRecord& entry) {
    ListRow row;
    row.name = entry.name;
    row.size = entry.size;
    row.kb = entry.kb;
    row.dateText = DateText(entry.writeTime);
    row.itemData = entry.ordinal;
    if (entry.isFolder) {
        row.image = entry.size > 0 ? kImageFurtherFolder : kImageEmptyFolder;
    } else {
        row.image = entry.size > 0 ? kImageFile : kImageEmptyFile;
    }
    m_rows.InsertRow(FindInsertPos(entry, m_rows.RowCount()), std::move(row));
}

int ListFiller::FindInsertPos(const EntryRecord& entry, int rowCount) {
    // Each group is ordered largest first, so the first row smaller than the entry is found
    // by halving: the same place a row-by-row search finds, without its quadratic cost.
    int first = entry.isFolder ? 0 : m_nFolderCount;
    int last = entry.isFolder ? m_nFolderCount : rowCount;
    while (first < last) {
        int middle = first + (last - first) / 2;
        if (entry.size > m_rows.SizeAt(middle)) {
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
        std::uint64_t kb = m_rows.Row(i).kb;
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
        m_rows.SetImage(i, m_rows.Row(i).kb >= 1 ? i : kImageEmptyFolder);
    }
}

void ListFiller::SetRatioColumn(std::uint64_t total) {
    for (int i = 0; i < m_rows.RowCount(); ++i) {
        m_rows.SetRatioText(i, RatioText(m_rows.SizeAt(i), total));
    }
}

} // namespace measure
