#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The mount paths, in byte order and each once, of the volumes in a mountinfo listing that hold
// real file systems: block-device backed or network ones, not kernel pseudo file systems or
// read-only package images. "/" is always among them.
std::vector<std::string> ParseVolumeMounts(std::string_view mountinfo);

// ParseVolumeMounts of this process's /proc/self/mountinfo; just "/" when it cannot be read.
std::vector<std::string> ReadVolumeMounts();

} // namespace platform
