// Developer tool: measures a folder exactly as a fill of the contents list does and prints the
// rows, the chart slots, the total and the wall time, for comparison with other tools.
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
    {
        measure::ListFiller filler(rows, totals);
        filler.Fill([] {});
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
    out += "\ntotal\t" + std::to_string(totals.CurrentTotal()) + '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::printf("seconds\t%.6f\n", seconds.count());
    return 0;
}
