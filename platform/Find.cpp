#include <cerrno>
#include <memory>

#include "platform/Crt.h"
#include "platform/FolderSearch.h"

// A handle is the address of its search, so handles need no shared table and no lock.
namespace platform {

namespace {

FolderSearch* SearchOf(std::intptr_t handle) {
    if (handle == -1 || handle == 0) {
        errno = EINVAL;
        return nullptr;
    }
    return reinterpret_cast<FolderSearch*>(handle);
}

} // namespace

std::intptr_t _findfirst(FindData& entry) {
    auto search = std::make_unique<FolderSearch>();
    if (search->openError() != 0) {
        errno = search->openError();
        return -1;
    }
    if (!search->next(entry)) {
        return -1;
    }
    return reinterpret_cast<std::intptr_t>(search.release());
}

int _findnext(std::intptr_t handle, FindData& entry) {
    FolderSearch* search = SearchOf(handle);
    return search != nullptr && search->next(entry) ? 0 : -1;
}

int _findclose(std::intptr_t handle) {
    FolderSearch* search = SearchOf(handle);
    if (search == nullptr) {
        return -1;
    }
    delete search;
    return 0;
}

} // namespace platform
