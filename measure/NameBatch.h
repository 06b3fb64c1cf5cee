#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace measure {

// Names of entries of one folder, packed one after another, NUL-terminated each: what a walker
// hands another to read the status of.
class NameBatch {
public:
    void Add(std::string_view name) {
        m_names.append(name);
        m_names.push_back('\0');
        ++m_count;
    }
    std::size_t Count() const { return m_count; }
    void Clear() {
        m_names.clear();
        m_count = 0;
    }
    // Calls each(name) with each name, NUL-terminated, in the order added.
    template <typename Each> void ForEach(Each each) const {
        for (std::size_t at = 0; at < m_names.size(); at += std::strlen(m_names.data() + at) + 1) {
            each(m_names.data() + at);
        }
    }

private:
    std::string m_names;
    std::size_t m_count = 0;
};

} // namespace measure
