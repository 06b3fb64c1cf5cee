#include "framework/ScreenPlacement.h"

#include <QGuiApplication>
#include <QMargins>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

// The frame the window will have around it; known once its platform window exists.
QMargins FrameMargins(QWidget& window) {
    window.winId();
    return window.windowHandle()->frameMargins();
}

QRect AvailableArea(const QWidget& window, const QPoint& at) {
    const QScreen* screen = QGuiApplication::screenAt(at);
    return (screen ? screen : window.screen())->availableGeometry();
}

} // namespace

void FitCentredOnScreen(QWidget& window) {
    const QRect area = window.screen()->availableGeometry();
    window.resize(window.size().boundedTo(area.size().shrunkBy(FrameMargins(window))));
    PlaceOver(window, area);
}

void PlaceOver(QWidget& window, const QRect& over) {
    const QRect area = AvailableArea(window, over.center());
    QRect frame(QPoint(0, 0), window.size().grownBy(FrameMargins(window)));
    frame.moveCenter(over.center());
    // The far edge is pulled in first, so that what cannot fit leaves the near edge on screen.
    const auto inside = [](int start, int length, int first, int last) {
        return std::max(first, std::min(start, last + 1 - length));
    };
    window.move(inside(frame.left(), frame.width(), area.left(), area.right()),
                inside(frame.top(), frame.height(), area.top(), area.bottom()));
}
