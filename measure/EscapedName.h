#pragma once

#include <string>
#include <string_view>

namespace measure {

// A name's bytes as one line of text that shows every character where it stands: tab, newline
// and backslash as \t, \n and \\; any other control byte and any byte outside valid UTF-8 as
// \xNN; the C1 controls (U+0080-U+009F), the line and paragraph separators (U+2028, U+2029)
// and the bidirectional controls (U+061C, U+200E, U+200F, U+202A-U+202E, U+2066-U+2069) as \xNN for
// each of their UTF-8 bytes, so U+202E is \xE2\x80\xAE; everything else unchanged.
std::string EscapedName(std::string_view bytes);

} // namespace measure
