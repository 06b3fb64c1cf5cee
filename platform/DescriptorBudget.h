#pragma once

#include <cstddef>

namespace platform {

// How many more descriptors this process may open now: its limit less those already open.
std::size_t SpareDescriptors();

// True for the errors of an open that failed only because descriptors ran out.
bool OutOfDescriptors(int error);

} // namespace platform
