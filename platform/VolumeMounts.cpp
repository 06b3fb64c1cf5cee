#include "platform/VolumeMounts.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <sstream>

namespace platform {

namespace {

constexpr std::array kNetworkTypes = {std::string_view("nfs"),        std::string_view("nfs4"),
                                      std::string_view("cifs"),       std::string_view("smb3"),
                                      std::string_view("smbfs"),      std::string_view("sshfs"),
                                      std::string_view("fuse.sshfs"), std::string_view("9p")};

// Backed by a block device, yet a read-only package image, nothing the user keeps files on.
constexpr std::string_view kImageType = "squashfs";

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& list, std::string_view value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

// The kernel writes space, tab, newline and backslash of a mount path as \ooo.
std::string Unescape(std::string_view field) {
    std::string path;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() &&
            std::all_of(field.begin() + i + 1, field.begin() + i + 4,
                        [](char c) { return c >= '0' && c <= '7'; })) {
            path += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                      (field[i + 3] - '0'));
            i += 3;
        } else {
            path += field[i];
        }
    }
    return path;
}

bool HoldsRealFileSystem(std::string_view type, std::string_view source) {
    if (Contains(kNetworkTypes, type)) {
        return true;
    }
    return source.starts_with("/dev/") && type != kImageType;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start < line.size()) {
        std::size_t end = line.find(' ', start);
        if (end == std::string_view::npos) {
            end = line.size();
        }
        if (end > start) {
            fields.push_back(line.substr(start, end - start));
        }
        start = end + 1;
    }
    return fields;
}

} // namespace

std::vector<std::string> ParseVolumeMounts(std::string_view mountinfo) {
    std::vector<std::string> paths{"/"};
    while (!mountinfo.empty()) {
        std::size_t end = mountinfo.find('\n');
        std::string_view line = mountinfo.substr(0, end);
        mountinfo.remove_prefix(end == std::string_view::npos ? mountinfo.size() : end + 1);
        // id parent major:minor root mount-path options [optional...] - type source options
        const std::vector<std::string_view> fields = Fields(line);
        auto separator = std::find(fields.begin(), fields.end(), "-");
        if (fields.size() < 5 || std::distance(separator, fields.end()) < 3) {
            continue;
        }
        if (HoldsRealFileSystem(separator[1], separator[2])) {
            paths.push_back(Unescape(fields[4]));
        }
    }
    std::sort(paths.begin(), paths.end());
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    return paths;
}

std::vector<std::string> ReadVolumeMounts() {
    std::ifstream file("/proc/self/mountinfo");
    std::ostringstream text;
    text << file.rdbuf();
    return ParseVolumeMounts(text.str());
}

} // namespace platform
