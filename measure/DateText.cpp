#include "measure/DateText.h"

#include <cstdio>
#include <time.h>

namespace measure {

char* FormatDate(const std::tm& t, char* buffer) {
    // Widened so that no int field overflows when its offset is added.
    const long long year = t.tm_year + 1900LL;
    const long long month = t.tm_mon + 1LL;
    std::snprintf(buffer, kDateBufferSize, "%lld%s%lld%s%d %d%s%d", year, month < 10 ? "/0" : "/",
                  month, t.tm_mday < 10 ? "/0" : "/", t.tm_mday, t.tm_hour,
                  t.tm_min < 10 ? ":0" : ":", t.tm_min);
    return buffer;
}

static_assert(sizeof(std::time_t) >= sizeof(std::int64_t), "write times must fit time_t");

std::string DateText(std::int64_t writeTime) {
    const std::time_t time = writeTime;
    std::tm local{};
    if (localtime_r(&time, &local) == nullptr) {
        return kUnknownDateText;
    }
    char buffer[kDateBufferSize];
    return FormatDate(local, buffer);
}

} // namespace measure
