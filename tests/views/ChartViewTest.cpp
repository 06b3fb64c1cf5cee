#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "chart/SlotColors.h"
#include "document/CVornDoc.h"
#include "views/CVornView.h"

namespace {

// The disc is centred in the pane and sized by its shorter side.
TEST(ChartView, DrawsEachSlotsWedgeClockwiseFromTwelveOnACentredDisc) {
    CVornDoc document;
    CVornView chart;
    chart.AttachDocument(&document);
    document.SetChartSlot(0, 50);
    document.SetChartSlot(1, 30);
    document.SetChartSlot(2, 20);
    chart.resize(800, 400);
    const QImage image = chart.grab().toImage();
    // Where to look: a fraction of a turn counter-clockwise from 12 o'clock, as the wedges run, a
    // radius in the drawing space (the pane's shorter side is 640, the disc's radius 290), and the
    // slot to find there. Slot 0 takes the right half, slot 1 the next 30 % clockwise, slot 2 the
    // last 20 %; a slot of -1 is the background beyond the disc.
    const std::tuple<double, double, int> probes[] = {
        {0.75, 240, 0}, {0.35, 240, 1}, {0.1, 240, 2}, {0.125, 300, -1}};
    for (const auto& [turn, radius, slot] : probes) {
        const double angle = 2 * M_PI * turn;
        const QPointF at =
            QPointF(400, 200) + radius * 400 / 640 * QPointF(-std::sin(angle), -std::cos(angle));
        const chart::SlotColor colour = chart::SlotColors[std::size_t(std::max(slot, 0))];
        const QColor expected = slot < 0 ? chart.palette().color(chart.backgroundRole())
                                         : QColor(colour.red, colour.green, colour.blue);
        EXPECT_EQ(QColor(image.pixel(at.toPoint())), expected) << turn << ' ' << radius;
    }
}

} // namespace
