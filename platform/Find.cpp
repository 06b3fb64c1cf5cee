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
    if (search->OpenError() != 0) {
        errno = search->OpenError();
        return -1;
    }
    if (!search->Next(entry)) {
        return -1;
    }
    return reinterpret_cast<std::intptr_t>(search.release());
}

int _findnext(std::intptr_t handle, FindData& entry) {
    FolderSearch* search = SearchOf(handle);
    return search != nullptr && search->Next(entry) ? 0 : -1;
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
