#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include "chart/SlotColors.h"
#include "resources/HelpMark.h"
#include "resources/RatioIcon.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"
#include "resources/UnknownResource.h"

namespace resources {

namespace {

constexpr int kIconSize = 32;

QColor Slot(int slot) {
    const chart::SlotColor colour = chart::SlotColors[static_cast<std::size_t>(slot)];
    return {colour.red, colour.green, colour.blue};
}

// A pie of the largest shares in the slot colours over the grey of the rest.
void Pie(QPainter& painter, const QRectF& box) {
    painter.setPen(QPen(Qt::black, box.width() / 24));
    painter.setBrush(Slot(11));
    painter.drawEllipse(box);
    const int spans[] = {-90, -90, -45};
    int start = 90;
    for (int slot = 0; slot < 3; ++slot) {
        painter.setBrush(Slot(slot));
        painter.drawPie(box, start * 16, spans[slot] * 16);
        start += spans[slot];
    }
}

void ApplicationIcon(QPainter& painter) {
    Pie(painter, QRectF(2, 2, 28, 28));
}

void DocumentIcon(QPainter& painter) {
    QPainterPath page;
    page.moveTo(6.5, 1.5);
    page.lineTo(20.5, 1.5);
    page.lineTo(26.5, 7.5);
    page.lineTo(26.5, 30.5);
    page.lineTo(6.5, 30.5);
    page.closeSubpath();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawPath(page);
    painter.drawPolyline(QPolygonF({QPointF(20.5, 1.5), QPointF(20.5, 7.5), QPointF(26.5, 7.5)}));
    Pie(painter, QRectF(9, 12, 15, 15));
}

void NoticeIcon(QPainter& painter) {
    QPainterPath triangle;
    triangle.moveTo(16, 2);
    triangle.lineTo(30.5, 28.5);
    triangle.lineTo(1.5, 28.5);
    triangle.closeSubpath();
    painter.setPen(QPen(Qt::black, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(QColor(255, 224, 0));
    painter.drawPath(triangle);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRoundedRect(QRectF(14.5, 10, 3, 11), 1.5, 1.5);
    painter.drawEllipse(QRectF(14.5, 23, 3, 3));
}

void QuestionIcon(QPainter& painter) {
    DrawHelpMark(painter, QRectF(1.5, 1.5, 29, 29));
}

} // namespace

QIcon LoadIcon(unsigned id) {
    return RatioIcon([id](qreal ratio) {
        QImage image = RenderIcon(id, qRound(kIconSize * ratio));
        image.setDevicePixelRatio(ratio);
        return QPixmap::fromImage(image);
    });
}

QImage RenderIcon(unsigned id, int size) {
    void (*paint)(QPainter&) = nullptr;
    switch (id) {
    case IDR_MAINFRAME:
        paint = ApplicationIcon;
        break;
    case IDR_DOCUMENT:
        paint = DocumentIcon;
        break;
    case IDI_NOTICE:
        paint = NoticeIcon;
        break;
    case IDI_QUESTION:
        paint = QuestionIcon;
        break;
    default:
        ReportUnknownResource("icon", id);
        return {};
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // The drawings are made on a 32 x 32 grid.
    painter.scale(qreal(size) / kIconSize, qreal(size) / kIconSize);
    paint(painter);
    painter.end();
    return image;
}

} // namespace resources
