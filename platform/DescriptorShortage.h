#pragma once

namespace platform {

// Walks that share the process's descriptors, and take turns when these run out.
class DescriptorShortage {
public:
    virtual ~DescriptorShortage() = default;

    // The calling walk found no descriptor to open and has given back every one it held.
    // Blocks until no other walk holds any, and then lets this walk go on alone until it ends
    // or calls again: if it still finds none, waiting longer cannot help.
    virtual void AwaitTurn() = 0;
};

} // namespace platform
