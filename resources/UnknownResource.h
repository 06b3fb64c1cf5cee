#pragma once

namespace resources {

// An id that no table of ours holds is a fault of the code that asked for it: a debug build
// stops there, any other logs it, and the caller gets an empty resource.
void ReportUnknownResource(const char* kind, unsigned id);

} // namespace resources
