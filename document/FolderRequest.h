#pragma once

#include <string>

#include "framework/CObject.h"

// Goes with an open-folder request: the exact name of the double-clicked row, so that the tree
// opens that folder and no other even if the folder's sub-folders changed meanwhile.
class FolderRequest : public CObject {
public:
    explicit FolderRequest(std::string name) : m_name(std::move(name)) {}
    const std::string& Name() const { return m_name; }

private:
    std::string m_name;
};
