#include <QImage>
#include <QPainter>

#include "chart/SlotColors.h"
#include "measure/ListImage.h"
#include "resources/Glyphs.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"
#include "resources/ToolBarStrip.h"
#include "resources/UnknownResource.h"

namespace resources {

namespace {

QImage Transparent(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QPixmap TreeImage(unsigned id) {
    QImage image = Transparent(16, 16);
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

// The glyph of a folder or a file on the left, a square of the row's colour on the right:
// a black frame round a 12 x 12 fill, exactly the slot's colour (white for empty entries).
QPixmap ListImage(int index) {
    const bool file = index == measure::kImageFile || index == measure::kImageEmptyFile;
    QColor fill = Qt::white;
    if (index < chart::kSlotCount) {
        const chart::SlotColor colour = chart::SlotColors[static_cast<std::size_t>(index)];
        fill = QColor(colour.red, colour.green, colour.blue);
    }
    QImage image = Transparent(32, 16);
    QPainter painter(&image);
    if (file) {
        glyphs::Page(painter, {0, 0});
    } else {
        glyphs::ClosedFolder(painter, {0, 0});
    }
    painter.fillRect(17, 1, 14, 14, Qt::black);
    painter.fillRect(18, 2, 12, 12, fill);
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace

QPixmap LoadBitmap(unsigned id) {
    if (id == IDR_MAINFRAME) {
        return PaintToolBarStrip();
    }
    if (id >= IDB_DRIVE && id <= IDB_FOLDER_OPEN) {
        return TreeImage(id);
    }
    if (id == IDB_LIST_IMAGE_0) {
        return ListImage(0);
    }
    if (id >= IDB_LIST_IMAGE_1 && id <= IDB_LIST_IMAGE_13) {
        return ListImage(static_cast<int>(id - IDB_LIST_IMAGE_1) + 1);
    }
    ReportUnknownResource("bitmap", id);
    return {};
}

} // namespace resources
