#include <QImage>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "SpyView.h"
#include "chart/SlotColors.h"
#include "document/CVornDoc.h"
#include "document/Hints.h"
#include "views/CVornView.h"

namespace {

QColor Slot(int slot) {
    const chart::SlotColor colour = chart::SlotColors[std::size_t(slot)];
    return QColor(colour.red, colour.green, colour.blue);
}

class ChartView : public ::testing::Test {
protected:
    ChartView() {
        chart.AttachDocument(&document);
        spy.AttachDocument(&document);
    }

    void SetSlots(const std::vector<std::uint64_t>& kb) {
        for (int slot = 0; slot < int(kb.size()); ++slot) {
            document.SetChartSlot(slot, kb[std::size_t(slot)]);
        }
    }
    void Render(int width, int height) {
        chart.resize(width, height);
        image = chart.grab().toImage();
    }
    QColor Pixel(QPointF at) const { return QColor(image.pixel(at.toPoint())); }
    // The pixel at `radius` pixels from the pane's centre, at fraction f of a turn counted
    // counter-clockwise from 12 o'clock, as the wedges are laid out.
    QPointF PointAt(double f, double radius) const {
        const double angle = 2 * M_PI * f;
        const QPointF centre(image.width() / 2, image.height() / 2);
        return centre + QPointF(-radius * std::sin(angle), -radius * std::cos(angle));
    }
    QColor At(double f, double radius) const { return Pixel(PointAt(f, radius)); }
    bool BlackNear(double f, double radius) const {
        const QPoint at = PointAt(f, radius).toPoint();
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if (QColor(image.pixel(at + QPoint(dx, dy))) == QColor(Qt::black)) {
                    return true;
                }
            }
        }
        return false;
    }
    QColor Background() const { return chart.palette().color(chart.backgroundRole()); }

    CVornDoc document;
    CVornView chart;
    SpyView spy;
    QImage image;
};

TEST_F(ChartView, WedgesRunClockwiseFromTwelveInSlotOrder) {
    SetSlots({50, 30, 20});
    Render(400, 400);
    // Slot 0 takes the right half, slot 1 the next 30 % clockwise, slot 2 the last 20 %.
    for (double f : {0.55, 0.75, 0.95}) {
        EXPECT_EQ(At(f, 150), Slot(0)) << f;
    }
    for (double f : {0.25, 0.35, 0.45}) {
        EXPECT_EQ(At(f, 150), Slot(1)) << f;
    }
    for (double f : {0.05, 0.1, 0.15}) {
        EXPECT_EQ(At(f, 150), Slot(2)) << f;
    }
    // The wedges are outlined in black along their radii.
    EXPECT_TRUE(BlackNear(0.5, 100));
    EXPECT_TRUE(BlackNear(0.2, 100));
    EXPECT_FALSE(BlackNear(0.3, 100));
}

TEST_F(ChartView, ALoneSlotFillsTheWholeDisc) {
    SetSlots({0, 0, 0, 7});
    Render(400, 400);
    for (double f : {0.1, 0.3, 0.5, 0.7, 0.9}) {
        EXPECT_EQ(At(f, 150), Slot(3)) << f;
    }
}

TEST_F(ChartView, NoSlotsDrawsOnlyTheBackground) {
    Render(200, 200);
    for (int y = 0; y < image.height(); y += 7) {
        for (int x = 0; x < image.width(); x += 7) {
            ASSERT_EQ(Pixel(QPointF(x, y)), Background()) << x << ',' << y;
        }
    }
}

TEST_F(ChartView, SlotsOutsideTheTwelveAreRefusedAndReadAsZero) {
    EXPECT_EQ(document.SetChartSlot(11, 5), 0);
    EXPECT_EQ(document.SetChartSlot(12, 7), 1);
    EXPECT_EQ(document.SetChartSlot(-1, 7), 1);
    EXPECT_EQ(document.GetChartSlot(12), 0u);
    EXPECT_EQ(document.GetChartSlot(-1), 0u);
    const std::array<std::uint64_t, 12> expected{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5};
    EXPECT_EQ(document.ChartSlots(), expected);
}

TEST_F(ChartView, DiscIsCentredWithDiameter580Of640OfTheShorterSide) {
    SetSlots({1});
    for (QSize pane : {QSize(800, 400), QSize(300, 600)}) {
        Render(pane.width(), pane.height());
        const double radius = 290.0 / 640.0 * std::min(pane.width(), pane.height());
        for (double f : {0.125, 0.375, 0.625, 0.875}) {
            EXPECT_EQ(At(f, radius - 3), Slot(0)) << pane.width() << ' ' << f;
            EXPECT_EQ(At(f, radius + 3), Background()) << pane.width() << ' ' << f;
        }
    }
}

} // namespace
