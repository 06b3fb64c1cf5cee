#include "platform/DescriptorBudget.h"

#include <fcntl.h>
#include <sys/resource.h>

#include <cerrno>

#include "platform/FolderReader.h"

namespace platform {

std::size_t SpareDescriptors() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return 1024;
    }
    std::size_t open = 0;
    FileDescriptor listing(::open("/proc/self/fd", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (listing.Valid()) {
        FolderReader reader(listing.Get());
        while (reader.Next()) {
            open += reader.IsSelfOrParent() ? 0 : 1;
        }
    }
    return limit.rlim_cur > open ? static_cast<std::size_t>(limit.rlim_cur) - open : 0;
}

bool OutOfDescriptors(int error) {
    return error == EMFILE || error == ENFILE;
}

} // namespace platform
