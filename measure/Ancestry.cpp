#include "measure/Ancestry.h"

namespace measure {

Ancestry::~Ancestry() {
    // Released link by link: a chain ten thousand folders deep must not recurse that deep.
    std::shared_ptr<Ancestry> next = std::move(m_parent);
    while (next && next.use_count() == 1) {
        next = std::move(next->m_parent);
    }
}

bool Ancestry::Contains(dev_t device, ino_t inode) const {
    for (const Ancestry* node = this; node; node = node->m_parent.get()) {
        if (node->Is(device, inode)) {
            return true;
        }
    }
    return false;
}

} // namespace measure
