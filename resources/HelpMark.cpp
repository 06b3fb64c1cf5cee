#include "resources/HelpMark.h"

#include <QPainter>

namespace resources {

void DrawHelpMark(QPainter& painter, const QRectF& disc) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(QPen(QColor(0, 0, 128), disc.width() / 16));
    painter.setBrush(QColor(32, 96, 224));
    painter.drawEllipse(disc);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(qRound(disc.height() * 0.8));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(disc, Qt::AlignCenter, QStringLiteral("?"));
    painter.restore();
}

} // namespace resources
