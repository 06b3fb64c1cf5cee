#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "chart/SlotColors.h"
#include "document/CVornDoc.h"
#include "views/CVornView.h"

namespace {

constexpr int kBackground = -1;
constexpr int kOutline = -2;

// Where to look: a fraction of a turn counter-clockwise from 12 o'clock, as the wedges run, and
// a radius in the drawing space, where the pane's shorter side is 640 and the disc's radius 290.
struct Probe {
    double turn;
    double radius;
    int slot; // or kBackground, kOutline
};

TEST(ChartView, DrawsEachSlotsWedgeClockwiseFromTwelveOnACentredDisc) {
    const std::tuple<std::vector<std::uint64_t>, QSize, std::vector<Probe>> cases[] = {
        // Slot 0 takes the right half, slot 1 the next 30 % clockwise, slot 2 the last 20 %;
        // black radii part them.
        {{50, 30, 20},
         {400, 400},
         {{0.75, 240, 0}, {0.35, 240, 1}, {0.1, 240, 2}, {0.5, 160, kOutline}}},
        {{0, 0, 0, 7}, {400, 400}, {{0.3, 240, 3}, {0.8, 240, 3}}},
        {{}, {200, 200}, {{0, 0, kBackground}, {0.3, 200, kBackground}}},
        {{1}, {800, 400}, {{0.125, 280, 0}, {0.125, 300, kBackground}}},
        {{1}, {300, 600}, {{0.625, 280, 0}, {0.625, 300, kBackground}}},
    };
    for (const auto& [kb, pane, probes] : cases) {
        CVornDoc document;
        CVornView chart;
        chart.AttachDocument(&document);
        for (std::size_t slot = 0; slot < kb.size(); ++slot) {
            document.SetChartSlot(int(slot), kb[slot]);
        }
        chart.resize(pane);
        const QImage image = chart.grab().toImage();
        const double scale = std::min(pane.width(), pane.height()) / 640.0;
        for (const Probe& probe : probes) {
            const double angle = 2 * M_PI * probe.turn;
            const QPointF at = QPointF(pane.width() / 2, pane.height() / 2) +
                               scale * probe.radius * QPointF(-std::sin(angle), -std::cos(angle));
            QColor expected = probe.slot == kOutline
                                  ? QColor(Qt::black)
                                  : chart.palette().color(chart.backgroundRole());
            if (probe.slot >= 0) {
                const chart::SlotColor colour = chart::SlotColors[std::size_t(probe.slot)];
                expected = QColor(colour.red, colour.green, colour.blue);
            }
            EXPECT_EQ(QColor(image.pixel(at.toPoint())), expected)
                << pane.width() << ' ' << probe.turn << ' ' << probe.radius;
        }
    }
}

} // namespace
