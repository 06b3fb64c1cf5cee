#pragma once

#include <QRectF>

class QPainter;

namespace resources {

// A white question mark on a blue disc filling `disc`: the question icon and the About button.
void DrawHelpMark(QPainter& painter, const QRectF& disc);

} // namespace resources
