// Developer tool: measures a folder exactly as a fill of the contents list does and prints the
// rows, the chart slots, the total and the wall time, for comparison with other tools. Where the
// folder could not be measured to the end, it prints no total and ends with status 1.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "measure/CellText.h"
#include "measure/EscapedName.h"
#include "measure/ListFiller.h"
#include "measure/MemoryRowStore.h"
#include "measure/SlotRecord.h"

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

    std::string out;
    for (int i = 0; i < rows.RowCount(); ++i) {
        const measure::ListRow& row = rows.Row(i);
        out += std::to_string(row.image) + '\t' + measure::EscapedName(row.name) + '\t' +
               measure::SizeText(row.kb) + '\t' + measure::ByteText(row.size) + '\t' +
               row.ratioText + '\t' + row.dateText + '\t' + std::to_string(row.itemData) + '\n';
    }
    out += "slots";
    for (std::uint64_t slot : totals.Slots()) {
        out += '\t' + std::to_string(slot);
    }
    out += '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
    if (!complete) {
        // A short total is never printed as if it were the folder's.
        std::fprintf(stderr, "%s: could not be measured to the end: %s\n", folder,
                     shortName.empty() ? "its listing" : measure::EscapedName(shortName).c_str());
        return 1;
    }
    std::printf("total\t%llu\nseconds\t%.6f\n",
                static_cast<unsigned long long>(totals.CurrentTotal()), seconds.count());
    return 0;
}
