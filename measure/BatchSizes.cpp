#include "measure/BatchSizes.h"

#include <cerrno>

#include "platform/EntryStatus.h"

namespace measure {

void AddSizes(int folderFd, const NameBatch& names, std::uint64_t& sum, bool& complete) {
    platform::EntryStatus status;
    names.ForEach([&](const char* name) {
        if (platform::StatEntry(folderFd, name, status)) {
            sum += status.isFolder ? 0 : status.size; // a file that turned folder meanwhile
        } else {
            complete = complete && errno == ENOENT; // gone since it was listed
        }
    });
}

} // namespace measure
