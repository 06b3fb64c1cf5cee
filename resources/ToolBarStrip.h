#pragma once

class QPainter;

namespace resources {

inline constexpr int kToolBarStripWidth = 80;
inline constexpr int kToolBarStripHeight = 15;

// The five 16 x 15 button images of the main toolbar side by side, in the order of its
// buttons: refresh the drives, refresh the current folder, up one folder, delete, about. Paints
// on a transparent strip of the size above, at whatever device pixel ratio it has.
void PaintToolBarStrip(QPainter& painter);

} // namespace resources
