#include <QImage>
#include <QPainter>
#include <QtMath>

#include "chart/SlotColors.h"
#include "measure/ListImage.h"
#include "resources/Glyphs.h"
#include "resources/RatioIcon.h"
#include "resources/Resources.h"
#include "resources/ToolBarStrip.h"

namespace resources {

namespace {

constexpr unsigned kToolBarStrip = 128;
constexpr unsigned kFirstTreeImage = 131;
constexpr unsigned kLastTreeImage = 133;
// The list's image 0 has its own number; images 1 to 13 follow in a row from 137.
constexpr unsigned kFirstListImage = 134;
constexpr unsigned kSecondListImage = 137;
constexpr unsigned kLastListImage = 149;

QImage Transparent(int width, int height, qreal ratio) {
    QImage image(qCeil(width * ratio), qCeil(height * ratio), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

QPixmap ToolBarStrip(qreal ratio) {
    QImage image = Transparent(kToolBarStripWidth, kToolBarStripHeight, ratio);
    QPainter painter(&image);
    PaintToolBarStrip(painter);
    painter.end();
    return QPixmap::fromImage(image);
}

QPixmap TreeImage(unsigned id, qreal ratio) {
    QImage image = Transparent(16, 16, ratio);
    QPainter painter(&image);
    switch (id) {
    case kFirstTreeImage:
        glyphs::Drive(painter, {0, 0});
        break;
    case kFirstTreeImage + 1:
        glyphs::ClosedFolder(painter, {0, 0});
        break;
    default:
        glyphs::OpenFolder(painter, {0, 0});
        break;
    }
    painter.end();
    return QPixmap::fromImage(image);
}

// The glyph of a folder or a file on the left, a square of the row's colour on the right:
// a black frame one device pixel wide round a fill of exactly the slot's colour (white for
// empty entries), 12 x 12 at 1x.
QPixmap ListImage(int index, qreal ratio) {
    const bool file = index == measure::kImageFile || index == measure::kImageEmptyFile;
    QColor fill = Qt::white;
    if (index < chart::kSlotCount) {
        const chart::SlotColor colour = chart::SlotColors[static_cast<std::size_t>(index)];
        fill = QColor(colour.red, colour.green, colour.blue);
    }
    QImage image = Transparent(32, 16, ratio);
    QPainter painter(&image);
    if (file) {
        glyphs::Page(painter, {0, 0});
    } else {
        glyphs::ClosedFolder(painter, {0, 0});
    }
    const QRectF square(17, 1, 14, 14);
    const qreal frame = 1 / ratio;
    painter.fillRect(square, Qt::black);
    painter.fillRect(square.adjusted(frame, frame, -frame, -frame), fill);
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace

QPixmap LoadBitmap(unsigned id, qreal devicePixelRatio) {
    if (id == kToolBarStrip) {
        return ToolBarStrip(devicePixelRatio);
    }
    if (id >= kFirstTreeImage && id <= kLastTreeImage) {
        return TreeImage(id, devicePixelRatio);
    }
    if (id == kFirstListImage) {
        return ListImage(0, devicePixelRatio);
    }
    if (id >= kSecondListImage && id <= kLastListImage) {
        return ListImage(static_cast<int>(id - kSecondListImage) + 1, devicePixelRatio);
    }
    return {};
}

QIcon LoadBitmapIcon(unsigned id) {
    return RatioIcon([id](qreal ratio) { return LoadBitmap(id, ratio); });
}

} // namespace resources
