#include "measure/EscapedName.h"

#include <cstdint>

namespace measure {

namespace {

// Length of the valid UTF-8 sequence starting at bytes[at], or 0 when it is not one
// (overlong forms, surrogates and values above U+10FFFF are not valid).
std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t at) {
    auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    std::uint8_t lead = byte(at);
    std::size_t length;
    std::uint8_t low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > bytes.size() || byte(at + 1) < low || byte(at + 1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

// The code point of a valid UTF-8 sequence of the given length.
char32_t CodePointOf(std::string_view sequence) {
    static const std::uint8_t kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t value = static_cast<std::uint8_t>(sequence[0]) & kLeadBits[sequence.size()];
    for (std::size_t i = 1; i < sequence.size(); ++i) {
        value = value << 6 | (static_cast<std::uint8_t>(sequence[i]) & 0x3F);
    }
    return value;
}

// Characters that break a name's line or silently reorder what is shown around them: the C1
// controls, the line and paragraph separators and the bidirectional marks (the Arabic letter
// mark among them), embeddings, overrides and isolates.
bool HidesOrReorders(char32_t value) {
    return (value >= 0x80 && value <= 0x9F) || value == 0x2028 || value == 0x2029 ||
           value == 0x061C || value == 0x200E || value == 0x200F ||
           (value >= 0x202A && value <= 0x202E) || (value >= 0x2066 && value <= 0x2069);
}

void AppendHex(std::string& out, std::uint8_t value) {
    static const char kDigits[] = "0123456789ABCDEF";
    out += "\\x";
    out += kDigits[value >> 4];
    out += kDigits[value & 0xF];
}

} // namespace

std::string EscapedName(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        auto value = static_cast<std::uint8_t>(bytes[at]);
        if (value == '\t' || value == '\n' || value == '\\') {
            out += value == '\t' ? "\\t" : value == '\n' ? "\\n" : "\\\\";
            ++at;
        } else if (value < 0x20 || value == 0x7F) {
            AppendHex(out, value);
            ++at;
        } else if (value < 0x80) {
            out += char(value);
            ++at;
        } else if (std::size_t length = Utf8SequenceLength(bytes, at)) {
            const std::string_view sequence = bytes.substr(at, length);
            if (HidesOrReorders(CodePointOf(sequence))) {
                for (char byte : sequence) {
                    AppendHex(out, static_cast<std::uint8_t>(byte));
                }
            } else {
                out.append(sequence);
            }
            at += length;
        } else {
            AppendHex(out, value);
            ++at;
        }
    }
    return out;
}

} // namespace measure
