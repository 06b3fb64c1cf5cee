#include "resources/UnknownResource.h"

#include <QtGlobal>

#include <cassert>

namespace resources {

void ReportUnknownResource(const char* kind, unsigned id) {
    qCritical("unknown %s resource %u", kind, id);
    assert(!"unknown resource id");
}

} // namespace resources
