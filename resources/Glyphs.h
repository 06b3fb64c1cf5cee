#pragma once

#include <QPoint>

class QPainter;

// The small pictures that the tree, the list and the toolbar share, each drawn pixel-exact in a
// 16 x 16 cell whose top left corner is `at`, on a transparent ground. Outlines and lines are
// one device pixel wide: on a finer device the same shapes, drawn with thinner lines.
namespace resources::glyphs {

void ClosedFolder(QPainter& painter, QPoint at);
void OpenFolder(QPainter& painter, QPoint at);
// A white page with a small picture on it: a file.
void Page(QPainter& painter, QPoint at);
void Drive(QPainter& painter, QPoint at);

} // namespace resources::glyphs
