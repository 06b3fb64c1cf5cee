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

    // False, with errno set, when the mount cannot be made.
    bool Mount(const char* source, const std::string& target, const char* type,
               unsigned long flags) {
        return Made(::mount(source, target.c_str(), type, flags, nullptr) == 0, target);
    }

    // The file system image `image` through a loop device, which goes with the mount.
    bool MountImage(const std::string& image, const std::string& target) {
        const std::string command = "mount -o loop '" + image + "' '" + target + "' 2>/dev/null";
        return Made(std::system(command.c_str()) == 0, target);
    }

private:
    bool Made(bool made, const std::string& target) {
        if (made) {
            m_targets.push_back(target);
        }
        return made;
    }

    std::vector<std::string> m_targets;
};

} // namespace testsupport
