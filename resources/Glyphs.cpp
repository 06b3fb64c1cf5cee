#include "resources/Glyphs.h"

#include <QPainter>
#include <QPolygon>

namespace resources::glyphs {

namespace {

const QColor kFolderEdge(128, 96, 0);
const QColor kFolderFace(255, 208, 64);
const QColor kFolderLight(255, 240, 160);
const QColor kOutline(64, 64, 64);

// Width 0: one device pixel at any device pixel ratio.
QPen Hairline(const QColor& colour) {
    return QPen(colour, 0);
}

void Outlined(QPainter& painter, const QColor& face, const QColor& edge) {
    painter.setPen(Hairline(edge));
    painter.setBrush(face);
}

} // namespace

void ClosedFolder(QPainter& painter, QPoint at) {
    painter.save();
    painter.translate(at);
    Outlined(painter, kFolderFace, kFolderEdge);
    painter.drawRect(2, 2, 5, 2);
    painter.drawRect(1, 4, 13, 9);
    painter.setPen(Hairline(kFolderLight));
    painter.drawLine(2, 5, 13, 5);
    painter.restore();
}

void OpenFolder(QPainter& painter, QPoint at) {
    painter.save();
    painter.translate(at);
    Outlined(painter, kFolderEdge, kFolderEdge);
    painter.drawRect(2, 2, 5, 2);
    painter.drawRect(1, 4, 12, 9);
    Outlined(painter, kFolderFace, kFolderEdge);
    painter.drawPolygon(QPolygon({QPoint(1, 13), QPoint(4, 7), QPoint(15, 7), QPoint(12, 13)}));
    painter.restore();
}

void Page(QPainter& painter, QPoint at) {
    painter.save();
    painter.translate(at);
    Outlined(painter, Qt::white, kOutline);
    painter.drawPolygon(
        QPolygon({QPoint(3, 1), QPoint(10, 1), QPoint(13, 4), QPoint(13, 14), QPoint(3, 14)}));
    painter.drawPolyline(QPolygon({QPoint(10, 1), QPoint(10, 4), QPoint(13, 4)}));
    // The picture: sky, a hill and a sun.
    painter.fillRect(5, 6, 6, 6, QColor(128, 192, 255));
    painter.fillRect(5, 10, 6, 2, QColor(0, 160, 0));
    painter.fillRect(6, 9, 3, 1, QColor(0, 160, 0));
    painter.fillRect(8, 7, 2, 2, QColor(255, 224, 0));
    painter.restore();
}

void Drive(QPainter& painter, QPoint at) {
    painter.save();
    painter.translate(at);
    Outlined(painter, QColor(192, 192, 192), kOutline);
    painter.drawRect(1, 5, 13, 6);
    painter.fillRect(2, 9, 12, 2, QColor(128, 128, 128));
    painter.fillRect(11, 7, 2, 1, QColor(0, 255, 0));
    painter.setPen(Hairline(Qt::white));
    painter.drawLine(2, 6, 13, 6);
    painter.restore();
}

} // namespace resources::glyphs
