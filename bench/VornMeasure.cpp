// Developer tool: measures a folder exactly as a fill of the contents list does and prints the
// rows, the chart slots, the total and the wall time, for comparison with other tools. Where the
// folder could not be measured to the end, it prints no total and ends with status 1.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "measure/CellText.h"
#include "measure/DateText.h"
#include "measure/EscapedName.h"
#include "measure/ListFiller.h"
#include "measure/MemoryRowStore.h"
#include "measure/SlotRecord.h"

namespace {

// The rows' lines go out a chunk at a time, so that printing a million rows holds no copy of
// them; a row's date is made once for all the rows of the same minute.
class RowPrinter {
public:
    ~RowPrinter() { Flush(); }

    void Print(const measure::MemoryRowStore& rows, int index) {
        const measure::ListRow& row = rows.Row(index);
        if (m_dateText.empty() || row.writeTime / 60 != m_minute) {
            m_minute = row.writeTime / 60;
            m_dateText = measure::DateText(row.writeTime);
        }
        for (const std::string& cell : {std::to_string(row.image), measure::EscapedName(row.name),
                                        measure::SizeText(measure::KilobytesOf(row.size)),
                                        measure::ByteText(row.size), rows.RatioCell(index)}) {
            m_out += cell;
            m_out += '\t';
        }
        m_out += m_dateText;
        m_out += '\t';
        m_out += std::to_string(row.itemData);
        m_out += '\n';
        if (m_out.size() > kChunk) {
            Flush();
        }
    }
    void Flush() {
        std::fwrite(m_out.data(), 1, m_out.size(), stdout);
        m_out.clear();
    }

private:
    static constexpr std::size_t kChunk = 1 << 16;
    std::string m_out;
    std::int64_t m_minute = 0;
    std::string m_dateText;
};

} // namespace

int main(int argc, char** argv) {
    const char* folder = argc > 1 ? argv[1] : ".";
    if (::chdir(folder) != 0) {
        std::perror(folder);
        return 1;
    }
    measure::MemoryRowStore rows;
    measure::SlotRecord totals;
    auto started = std::chrono::steady_clock::now();
    bool complete = true;
    std::string shortName;
    {
        measure::ListFiller filler(rows, totals);
        filler.Fill([] {});
        complete = filler.Complete();
        shortName = filler.ShortName();
    }
    std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - started;

    {
        RowPrinter printer;
        for (int i = 0; i < rows.RowCount(); ++i) {
            printer.Print(rows, i);
        }
    }
    std::printf("slots");
    for (std::uint64_t slot : totals.Slots()) {
        std::printf("\t%llu", static_cast<unsigned long long>(slot));
    }
    std::printf("\n");
    if (!complete) {
        // A short total is never printed as if it were the folder's.
        std::fflush(stdout);
        std::fprintf(stderr, "%s: could not be measured to the end: %s\n", folder,
                     shortName.empty() ? "its listing" : measure::EscapedName(shortName).c_str());
        return 1;
    }
    std::printf("total\t%llu\nseconds\t%.6f\n",
                static_cast<unsigned long long>(totals.CurrentTotal()), seconds.count());
    return 0;
}
