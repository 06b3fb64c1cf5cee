#include "FolderProbe.h"

#include <sys/stat.h>

namespace vorn_test {

platform::FolderId IdOf(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        return {};
    }
    return platform::FolderId{st.st_dev, st.st_ino};
}

platform::FolderId IdOfHere() {
    return IdOf(".");
}

} // namespace vorn_test
