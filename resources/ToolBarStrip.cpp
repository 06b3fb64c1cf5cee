#include "resources/ToolBarStrip.h"

#include <QPainter>
#include <QPainterPath>

#include "resources/Glyphs.h"
#include "resources/HelpMark.h"

namespace resources {

namespace {

constexpr int kButtonWidth = 16;
const QColor kArrow(0, 128, 0);

// A round arrow turning clockwise in the cell's top right corner: "read again".
void RefreshArrow(QPainter& painter, int left) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kArrow, 1.6));
    painter.setBrush(Qt::NoBrush);
    const QRectF circle(left + 8.5, 0.5, 6.5, 6.5);
    painter.drawArc(circle, 180 * 16, -270 * 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kArrow);
    QPainterPath head;
    head.moveTo(left + 7.0, 3.0);
    head.lineTo(left + 11.0, 3.0);
    head.lineTo(left + 9.0, 6.0);
    head.closeSubpath();
    painter.drawPath(head);
    painter.restore();
}

void UpArrow(QPainter& painter, int left) {
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kArrow);
    painter.drawPolygon(
        QPolygon({QPoint(left + 11, 0), QPoint(left + 15, 4), QPoint(left + 7, 4)}));
    painter.fillRect(left + 10, 4, 3, 5, kArrow);
    painter.restore();
}

void Cross(QPainter& painter, int left) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(208, 0, 0), 2.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(left + 3.5, 3.0), QPointF(left + 12.5, 12.0));
    painter.drawLine(QPointF(left + 12.5, 3.0), QPointF(left + 3.5, 12.0));
    painter.restore();
}

} // namespace

void PaintToolBarStrip(QPainter& painter) {
    glyphs::Drive(painter, {0, 2});
    RefreshArrow(painter, 0);
    glyphs::ClosedFolder(painter, {kButtonWidth, 1});
    RefreshArrow(painter, kButtonWidth);
    glyphs::ClosedFolder(painter, {2 * kButtonWidth, 1});
    UpArrow(painter, 2 * kButtonWidth);
    Cross(painter, 3 * kButtonWidth);
    DrawHelpMark(painter, QRectF(4 * kButtonWidth + 1.5, 1.0, 13.0, 13.0));
}

} // namespace resources
