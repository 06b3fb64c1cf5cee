#include <QImage>
#include <QPainter>
#include <QtMath>

#include "chart/SlotColors.h"
#include "measure/ListImage.h"
#include "resources/Glyphs.h"
#include "resources/RatioIcon.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"
#include "resources/ToolBarStrip.h"
#include "resources/UnknownResource.h"

namespace resources {

namespace {

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
    case IDB_DRIVE:
        glyphs::Drive(painter, {0, 0});
        break;
    case IDB_FOLDER_CLOSED:
        glyphs::ClosedFolder(painter, {0, 0});
        break;
    default:
        glyphs::OpenFolder(painter, {0, 0});
        break;
    }
    painter.end();
    return QPixmap::fromImage(image);
}

// The list's coloured images and the chart's wedges are the same slots.
static_assert(chart::kSlotCount == measure::ChartTotals::kSlotCount);

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
    if (id == IDR_MAINFRAME) {
        return ToolBarStrip(devicePixelRatio);
    }
    if (id >= IDB_DRIVE && id <= IDB_FOLDER_OPEN) {
        return TreeImage(id, devicePixelRatio);
    }
    if (id == IDB_LIST_IMAGE_0) {
        return ListImage(0, devicePixelRatio);
    }
    if (id >= IDB_LIST_IMAGE_1 && id <= IDB_LIST_IMAGE_13) {
        return ListImage(static_cast<int>(id - IDB_LIST_IMAGE_1) + 1, devicePixelRatio);
    }
    ReportUnknownResource("bitmap", id);
    return {};
}

QIcon LoadBitmapIcon(unsigned id) {
    return RatioIcon([id](qreal ratio) { return LoadBitmap(id, ratio); });
}

} // namespace resources
