#include "ScopedMounts.h"

#include <sys/mount.h>

namespace testsupport {

ScopedMounts::~ScopedMounts() {
    for (auto target = m_targets.rbegin(); target != m_targets.rend(); ++target) {
        ::umount2(target->c_str(), MNT_DETACH);
    }
}

bool ScopedMounts::Mount(const char* source, const std::string& target, const char* type,
                         unsigned long flags) {
    if (::mount(source, target.c_str(), type, flags, nullptr) != 0) {
        return false;
    }
    m_targets.push_back(target);
    return true;
}

} // namespace testsupport
