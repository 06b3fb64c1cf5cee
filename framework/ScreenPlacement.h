#pragma once

class QRect;
class QWidget;

// Where top-level windows go: within the available area of their screen (the screen less its
// panels), which a small screen or a large scale factor can make smaller than a window. A
// window's frame counts as far as the platform knows it before the window is shown.

// Makes `window` no larger than its screen's available area, and centres it there.
void FitCentredOnScreen(QWidget& window);

// Centres `window` on `over` as far as the available area of the screen there allows; a window
// larger than that area keeps its top-left corner on it.
void PlaceOver(QWidget& window, const QRect& over);
