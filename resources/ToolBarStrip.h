#pragma once

#include <QPixmap>

namespace resources {

// The five 16 x 15 button images of the main toolbar side by side, in the order of its
// buttons: refresh the drives, refresh the current folder, up one folder, delete, about.
QPixmap PaintToolBarStrip();

} // namespace resources
