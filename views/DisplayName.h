#pragma once

#include <QString>

#include <string_view>

// How a name's exact bytes are shown: decoded as UTF-8, with every byte that is not part of
// valid UTF-8 (and every control byte) shown visibly as \xNN. Only for display: opening and
// deleting always use the bytes themselves.
QString DisplayName(std::string_view bytes);
