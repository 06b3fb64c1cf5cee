#pragma once

#include <sys/mount.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace testsupport {

// Mount points a case makes, taken down (in reverse) when the case ends. Mounting needs
// privileges: where the machine cannot mount, Mount says so and the case skips.
class ScopedMounts {
public:
    ScopedMounts() = default;
    ~ScopedMounts() {
        for (auto target = m_targets.rbegin(); target != m_targets.rend(); ++target) {
            ::umount2(target->c_str(), MNT_DETACH);
        }
    }
    ScopedMounts(const ScopedMounts&) = delete;
    ScopedMounts& operator=(const ScopedMounts&) = delete;

    // Runs mount(8) with `source` (its options and device) onto `target`; false when it fails.
    // An image mounted through a loop device frees the device as it is taken down.
    bool Mount(const std::string& source, const std::string& target) {
        const std::string command = "mount " + source + " '" + target + "' 2>/dev/null";
        if (std::system(command.c_str()) != 0) {
            return false;
        }
        m_targets.push_back(target);
        return true;
    }

private:
    std::vector<std::string> m_targets;
};

} // namespace testsupport
