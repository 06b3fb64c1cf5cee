#include "platform/SystemVolumes.h"

#include <sys/stat.h>

#include <vector>

#include "platform/VolumeMounts.h"

namespace platform {

std::map<int, std::string> SystemVolumes::Roots() {
    std::vector<std::string> paths = ReadVolumeMounts();
    // A file mounted over a file (as containers do for configuration files) is no drive.
    std::erase_if(paths, [](const std::string& path) {
        struct stat st;
        return ::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode);
    });
    return m_numbering.Update(paths);
}

} // namespace platform
