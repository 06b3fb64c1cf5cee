#pragma once

#include <sys/types.h>

#include <memory>

namespace measure {

// One folder on the way down from where a measurement started, linked to the folder above it.
// Shared, because a sub-tree handed to another thread keeps the chain of its ancestors alive
// after the thread that entered them has moved on.
class Ancestry {
public:
    Ancestry(dev_t device, ino_t inode, std::shared_ptr<Ancestry> parent)
        : m_device(device), m_inode(inode), m_parent(std::move(parent)) {}
    Ancestry(const Ancestry&) = delete;
    Ancestry& operator=(const Ancestry&) = delete;
    ~Ancestry();

    bool Is(dev_t device, ino_t inode) const { return m_device == device && m_inode == inode; }

    // True when the folder (device, inode) is this one or one above it: entering it again
    // would walk in a circle (a folder bind-mounted inside itself).
    bool Contains(dev_t device, ino_t inode) const;

private:
    dev_t m_device;
    ino_t m_inode;
    std::shared_ptr<Ancestry> m_parent;
};

} // namespace measure
