#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "measure/ChartTotals.h"
#include "measure/EntryRecord.h"
#include "measure/FolderSizeWalker.h"
#include "measure/RowStore.h"

namespace measure {

// The window-free part of filling the contents list: measures the working directory into
// ordered rows, then writes the totals, the chart slots, the colour ranks and the ratios.
class ListFiller {
public:
    ListFiller(RowStore& rows, ChartTotals& totals,
               const platform::FolderCalls& calls = platform::FolderCalls::System());

    // Fills the rows, which the caller has emptied; stepIt runs after each listed entry, and
    // the calls of `meanwhile` while the fill waits for a folder's size.
    void Fill(const std::function<void()>& stepIt, platform::Meanwhile& meanwhile);
    void Fill(const std::function<void()>& stepIt) {
        platform::Meanwhile nothing;
        Fill(stepIt, nothing);
    }

    // Puts one measured entry at its place with its first image and cell texts.
    void InsertEntry(const EntryRecord& entry);
    int FindInsertPos(const EntryRecord& entry, int rowCount);
    void UpdateChartSlots();
    void ColourTopFolders();
    void SetRatioColumn(std::uint64_t total);

    int FolderCount() const { return m_nFolderCount; }
    std::uint64_t CurrentTotal() const { return m_currentTotal; }
    // False when the last fill could not read everything for a reason that is no property of the
    // folder (see FolderSize): its figures fall short. ShortName() is then the name of the first
    // folder that fell short, or empty when the listing itself did.
    bool Complete() const { return m_complete; }
    const std::string& ShortName() const { return m_shortName; }

private:
    void Scan(const std::function<void()>& stepIt, platform::Meanwhile& meanwhile);
    void FallShort(bool shortfall, std::string_view name);

    RowStore& m_rows;
    ChartTotals& m_totals;
    FolderSizeWalker m_walker;
    int m_nFolderCount = 0;
    std::uint64_t m_nOtherKB = 0;
    std::uint64_t m_nFileKB = 0;
    std::uint64_t m_currentTotal = 0;
    bool m_complete = true;
    std::string m_shortName;
};

} // namespace measure
