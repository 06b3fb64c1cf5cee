#include "views/CVornView.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "chart/PieGeometry.h"
#include "document/CVornDoc.h"
#include "resources/ResourceIds.h"
#include "views/PaneDescription.h"

namespace {

// Direction of a radial point in degrees, counter-clockwise from 3 o'clock as seen on screen;
// the drawing space's y grows downwards.
double ScreenAngle(const chart::RadialPoint& point) {
    constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;
    return std::atan2(-double(point.y), double(point.x)) * kDegreesPerRadian;
}

// The part of the box's circle between the radius towards start and the radius towards end,
// swept counter-clockwise on screen; the whole circle when both point the same way.
QPainterPath Wedge(const QRectF& box, const chart::RadialPoint& start,
                   const chart::RadialPoint& end) {
    const double from = ScreenAngle(start);
    double sweep = 360.0;
    if (!chart::SameDirection(start, end)) {
        sweep = std::fmod(ScreenAngle(end) - from + 360.0, 360.0);
    }
    QPainterPath path;
    path.moveTo(box.center());
    path.arcTo(box, from, sweep);
    path.closeSubpath();
    return path;
}

} // namespace

CVornView::CVornView(QWidget* parent) : CVornPaneView<CView>(parent) {
    setAutoFillBackground(true);
    DescribePane(this, IDS_CHART_PANE);
}

void CVornView::OnUpdate(CView* pSender, long, CObject*) {
    if (pSender) {
        update();
    }
}

void CVornView::paintEvent(QPaintEvent*) {
    DrawPie();
}

void CVornView::DrawPie() {
    const int width = this->width();
    const int height = this->height();
    const CVornDoc* document = GetDocument();
    if (width < 1 || height < 1 || !document) {
        return;
    }
    QPainter painter(this);
    // The drawing space: origin in the middle, the shorter side 640 units, the same scale on
    // both axes.
    painter.translate(width / 2, height / 2);
    const double scale = double(std::min(width, height)) / chart::kDrawingSpan;
    painter.scale(scale, scale);
    painter.setPen(QPen(Qt::black, 0));
    const QRectF box(QPointF(chart::kPieBoxLeft, chart::kPieBoxTop),
                     QPointF(chart::kPieBoxRight, chart::kPieBoxBottom));
    for (const chart::PieSlice& slice : chart::CalcPieSlices(document->ChartSlots())) {
        painter.setBrush(QColor(slice.colour.red, slice.colour.green, slice.colour.blue));
        painter.drawPath(Wedge(box, slice.start, slice.end));
    }
}
