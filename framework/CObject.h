#pragma once

// Root of the objects that travel with an update hint.
class CObject {
public:
    virtual ~CObject() = default;
};
