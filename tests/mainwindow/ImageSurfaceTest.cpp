// The QImage drawing surface keeps one painter open across drawing operations and the
// canvas gathers its repaints; neither may change a pixel or lose a stroke.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPaintEvent>
#include <QPointer>
#include <QTest>
#include <vector>

#include "GuiTest.h"
#include "ImageSurface.h"
#include "PlotCanvas.h"
#include "PlotExport.h"
#include "PlotFrame.h"
#include "PlotRun.h"
#include "frmTrajectory.h"

namespace {

constexpr tarnwick::Rgb kBlack = tarnwick::colours::Black;

// The same surface, finishing its painting after every operation: what drawing with
// a painter of its own for each operation gives.
class PainterPerOperation : public ImageSurface {
public:
    using ImageSurface::ImageSurface;
    void line(double x1, double y1, double x2, double y2) override {
        ImageSurface::line(x1, y1, x2, y2);
        (void)image();
    }
    void rectangle(double x1, double y1, double x2, double y2) override {
        ImageSurface::rectangle(x1, y1, x2, y2);
        (void)image();
    }
    void circle(double cx, double cy, double radius) override {
        ImageSurface::circle(cx, cy, radius);
        (void)image();
    }
    void print(const std::string& text) override {
        ImageSurface::print(text);
        (void)image();
    }
};

// A busy picture: the gravity ball (smoothed) first, then a run with grid lines
// (dotted), the energy scale and curve, the point-blank band (dash-dot-dot), the
// barrel and every label, then a second run in Hunting mode over it.
void drawBusyPicture(tarnwick::DrawingSurface& surface) {
    tarnwick::ProgramState state;
    tarnwick::ShotParameters& p = state.params;
    p.LOSAngle = 20;
    tarnwick::drawGravityIndicator(surface, p);
    p.InitialVelocity = 2900;
    p.BulletMass = 150;
    p.BallisticCoefLow = p.BallisticCoefMid = p.BallisticCoefHigh = 0.4;
    p.VerticalScale = 4;
    tarnwick::RunInputs inputs;
    inputs.gridLinesOn = inputs.energyCurveOn = true;
    tarnwick::TextResults results;
    tarnwick::plotRun(state, inputs, surface, results);
    p.HuntingMode = true;
    p.HTemperature = 10;
    inputs.huntingOption = true;
    inputs.energyCurveOn = false;
    inputs.velocityCurveOn = true;
    tarnwick::plotRun(state, inputs, surface, results);
}

TEST(ImageSurfaceTest, OnePainterForManyOperationsDrawsTheSamePixels) {
    for (const qreal ratio : {1.0, 2.0}) {
        ImageSurface batched(578, 288, ratio);
        PainterPerOperation reference(578, 288, ratio);
        drawBusyPicture(batched);
        drawBusyPicture(reference);
        EXPECT_EQ(batched.image(), reference.image()) << "device pixel ratio " << ratio;
    }
}

TEST(ImageSurfaceTest, ReadingBetweenOperationsSeesEveryStrokeAndCopiesStayAsTaken) {
    ImageSurface surface(100, 50);
    surface.setPenColour(kBlack);
    surface.line(10, 0, 10, 49);
    EXPECT_EQ(surface.image().pixelColor(10, 20), QColor(Qt::black));
    const QImage snapshot = surface.image();  // a shallow copy of the drawing so far
    surface.line(20, 0, 20, 49);
    EXPECT_EQ(surface.image().pixelColor(20, 20), QColor(Qt::black));
    EXPECT_EQ(snapshot.pixelColor(20, 20), QColor(Qt::white)) << "drawing must not reach into a copy";
    EXPECT_EQ(surface.composed(QImage()).pixelColor(20, 20), QColor(Qt::black));
}

TEST(ImageSurfaceTest, DrawingGoesOnAcrossResizeAndClear) {
    ImageSurface surface(100, 50, 2.0);
    surface.setPenColour(kBlack);
    surface.line(10, 10, 90, 10);
    // Growing replaces the image while a painter is on the old one.
    surface.resize(300, 200, 2.0);
    surface.line(10, 150, 290, 150);
    const QImage& grown = surface.image();
    EXPECT_EQ(grown.size(), QSize(600, 400));
    EXPECT_EQ(grown.pixelColor(100, 20), QColor(Qt::black)) << "kept from before the resize";
    EXPECT_EQ(grown.pixelColor(500, 300), QColor(Qt::black)) << "drawn after the resize";
    surface.clear();
    surface.line(10, 30, 90, 30);
    EXPECT_EQ(surface.image().pixelColor(100, 20), QColor(Qt::white));
    EXPECT_EQ(surface.image().pixelColor(100, 60), QColor(Qt::black));
}

TEST(ImageSurfaceTest, KeptOperationsDrawTheSamePixelsAgain) {
    for (const qreal ratio : {1.0, 2.0}) {
        ImageSurface direct(578, 288, ratio);
        direct.keepOperations();
        // Only what was drawn since the last clear is kept.
        direct.setPenColour(tarnwick::colours::Blue);
        direct.line(0, 0, 578, 288);
        direct.clear();
        drawBusyPicture(direct);
        ImageSurface replayed(578, 288, ratio);
        tarnwick::replay(direct.operations(), replayed);
        EXPECT_EQ(replayed.image(), direct.image()) << "device pixel ratio " << ratio;
    }
    // An exported picture at one pixel per canvas unit is the canvas with its eye.
    ImageSurface direct(578, 288);
    direct.keepOperations();
    drawBusyPicture(direct);
    const QImage exported = QImage::fromData(exportPlot(direct, PlotFormat::Png, QString(), 1));
    EXPECT_EQ(exported.convertToFormat(QImage::Format_RGB32), direct.composed(eyePicture()));
}

TEST(ImageSurfaceTest, ExportTooLargeToHoldIsNotMade) {
    QImage device(1, 1, QImage::Format_RGB32);
    QPainter painter(&device);
    PainterSurface huge(painter, 30000, 30000, QFont(), 96);
    EXPECT_TRUE(exportPlot(huge, PlotFormat::Png, QString(), 8).isEmpty());
}

// Records the paint events a widget receives.
class PaintRecorder : public QObject {
public:
    std::vector<QRect> rects;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) rects.push_back(static_cast<QPaintEvent*>(event)->rect());
        return false;
    }
};

class CanvasRepaintTest : public GuiTest {};

TEST_F(CanvasRepaintTest, PlotReachesTheScreenAfterTheRun) {
    frmTrajectory& w = program->window<frmTrajectory>();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    PaintRecorder recorder;
    w.canvas->installEventFilter(&recorder);
    w.mnuPlot_Click();
    EXPECT_TRUE(recorder.rects.empty()) << "nothing is painted while the run draws";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !recorder.rects.empty(); }, 2000));
    QApplication::processEvents();
    // The axes and the curve's whole length are in the repainted area.
    QRect repainted;
    for (const QRect& rect : recorder.rects) repainted = repainted.united(rect);
    EXPECT_TRUE(repainted.contains(QPoint(50, 10)));
    EXPECT_TRUE(repainted.contains(QPoint(400, 238)));
    // What is shown is what was drawn.
    const QImage shown = w.canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage drawn = w.canvas->surface().image().copy(QRect(QPoint(0, 0), shown.size()));
    EXPECT_EQ(shown.pixelColor(50, 100), drawn.pixelColor(50, 100));
    EXPECT_EQ(shown.pixelColor(300, 238), QColor(Qt::black));
}

TEST_F(CanvasRepaintTest, CanvasGoneBeforeItsRepaintIsHarmless) {
    QPointer<PlotCanvas> canvas = new PlotCanvas;
    canvas->show();
    tarnwick::drawGravityIndicator(canvas->surface(), params());
    delete canvas;
    QApplication::processEvents();  // the gathered repaint must not reach a deleted widget
    EXPECT_TRUE(canvas.isNull());
}

}  // namespace
