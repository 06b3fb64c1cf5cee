#pragma once

#include <string>
#include <string_view>

namespace measure {

// A name's bytes as one line of text: tab, newline and backslash as \t, \n and \\, any other
// control byte and any byte outside valid UTF-8 as \xNN; everything else unchanged.
std::string EscapedName(std::string_view bytes);

} // namespace measure
