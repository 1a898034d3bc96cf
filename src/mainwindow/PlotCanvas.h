#pragma once
// The main window's client area: a drawing surface whose drawing persists until it is
// cleared. Everything is drawn into a QImage backing store (sized at the screen's
// device pixel ratio, so lines and text stay sharp) and paintEvent only copies it, so
// the drawing survives being covered and successive plots overlay. The eye picture
// `imgEye` is a separate element laid over the canvas: clearing the canvas leaves it.
// Resizing never redraws: the backing store grows and keeps what was drawn, and the
// surface reports the new size to the next plot run. The surface also keeps the drawing
// operations since the last clear, so that a print or an export draws the plot again
// at its own resolution.
//
// Coordinates are canvas units (pixels), origin top-left, y downward.
#include <QWidget>
#include <functional>

#include "Constants.h"
#include "ImageSurface.h"

class QLabel;
class PlotCanvas;

// The backing store: an image surface that tells its canvas what to repaint and moves
// the eye picture.
class CanvasSurface : public ImageSurface {
public:
    explicit CanvasSurface(PlotCanvas& canvas);
    void clear() override;
    void line(double x1, double y1, double x2, double y2) override;
    void rectangle(double x1, double y1, double x2, double y2) override;
    void circle(double cx, double cy, double radius) override;
    void print(const std::string& text) override;
    void showEye(double left, double top) override;
    void hideEye() override;

private:
    PlotCanvas& canvas_;
};

class PlotCanvas : public QWidget {
    Q_OBJECT
public:
    explicit PlotCanvas(QWidget* parent = nullptr);

    // What the plot run, the frame and the gravity indicator draw on.
    CanvasSurface& surface() { return surface_; }
    const CanvasSurface& surface() const { return surface_; }

    // The eye picture laid over the canvas.
    QLabel* imgEye = nullptr;

    // The title (tarnwick::plotTitle) of the run drawn last since the canvas was
    // cleared, for printed and exported pages.
    std::string runTitle;

    // The colour at one canvas unit of the drawing (without the eye picture).
    QColor pixel(int x, int y) const;
    // The client area as a print shows it: the drawing with the eye picture over it.
    QImage composedImage() const;

    // Called on a mouse press with the button, the modifier keys and the position.
    std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, double, double)> onMouseDown;

    QSize sizeHint() const override { return {tarnwick::kCanvasWidth, tarnwick::kCanvasHeight}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    friend class CanvasSurface;
    // Schedules a repaint of what the drawing touched. A plot run draws thousands of
    // segments in one event; their areas are gathered and handed to the widget once,
    // when control returns to the event loop, which is the first moment a repaint can
    // happen anyway.
    void flush();
    void fitBackingStore();
    void fitEyePicture();

    CanvasSurface surface_;
    QRect pendingRepaint_;
    bool repaintQueued_ = false;
};
