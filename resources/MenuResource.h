#pragma once

#include <QString>

#include <vector>

namespace resources {

// A menu as the resources keep it: pop-ups in order, each with its items. An item with id 0
// is a separator.
struct MenuItemResource {
    unsigned id;
    QString text;
};

struct PopupResource {
    QString text;
    std::vector<MenuItemResource> items;
};

using MenuResource = std::vector<PopupResource>;

} // namespace resources
