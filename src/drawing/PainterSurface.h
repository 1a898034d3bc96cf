#pragma once
// The engine's drawing operations carried out with a QPainter, on any paint device: the
// canvas's backing image (ImageSurface), a printer page, a PDF or an SVG document.
// Coordinates are canvas units; the painter's transform maps them onto the device.
// Text needs a QGuiApplication (fonts).
#include <QColor>
#include <QFont>
#include <QPen>
#include <QPoint>
#include <memory>
#include <vector>

#include "DrawingSurface.h"
#include "RecordingSurface.h"

class QPainter;
class QPaintDevice;

// An engine colour as Qt names it (the windows draw with the plot's colours too).
QColor toQColor(tarnwick::Rgb colour);

class PainterSurface : public tarnwick::DrawingSurface {
public:
    // Draws with `painter` on a canvas of width x height units. `font` is the canvas font
    // as measured at `fontDpi` dots per inch, one dot per canvas unit: its text keeps that
    // size in canvas units whatever the resolution of the painter's device.
    PainterSurface(QPainter& painter, double width, double height, const QFont& font, int fontDpi);
    ~PainterSurface() override;
    PainterSurface(const PainterSurface&) = delete;
    PainterSurface& operator=(const PainterSurface&) = delete;

    double width() const override { return width_; }
    double height() const override { return height_; }

    void clear() override;
    void setPenColour(tarnwick::Rgb colour) override;
    void setPenStyle(tarnwick::PenStyle style) override;
    void setFillStyle(tarnwick::FillStyle style) override;
    void setFillColour(tarnwick::Rgb colour) override;
    void setCurrent(double x, double y) override { x_ = x; y_ = y; }
    double currentX() const override { return x_; }
    double currentY() const override { return y_; }
    void line(double x1, double y1, double x2, double y2) override;
    void lineTo(double x, double y) override { line(x_, y_, x, y); }
    void rectangle(double x1, double y1, double x2, double y2) override;
    void circle(double cx, double cy, double radius) override;
    void print(const std::string& text) override;
    double textWidth(const std::string& text) const override;
    double textHeight(const std::string& text) const override;
    void showEye(double left, double top) override;
    void hideEye() override;

    QFont font() const { return font_; }
    void setFont(const QFont& font) { font_ = font; }
    // Dots per inch at which the font is measured (the device's own when 0).
    int fontDpi() const;
    bool eyeVisible() const { return eyeVisible_; }
    QPoint eyePosition() const { return eyePosition_; }

    // From now on every operation is also kept, until the next clear, so that what was
    // drawn can be drawn again elsewhere (tarnwick::replay).
    void keepOperations();
    // The operations kept since the last clear (none unless keepOperations was called).
    const std::vector<tarnwick::DrawOp>& operations() const;

protected:
    // For surfaces that own their device and open the painter when first needed.
    PainterSurface(double width, double height);
    virtual QPainter& painter();
    // The device whose resolution the text is measured at.
    virtual const QPaintDevice* device() const;
    // Erases the canvas to white.
    virtual void erase();
    // Whether text first clears its box to white. On an image (the canvas, a PNG),
    // smoothed text drawn again over itself grows bolder, so images clear; vector output
    // (prints, PDF, SVG) does not, so that no box ever hides a line there.
    bool clearsUnderText() const;
    // Reports the area of canvas units an operation touched.
    virtual void touch(double, double, double, double) {}
    void setSize(double width, double height) {
        width_ = width;
        height_ = height;
    }

private:
    // The canvas font, sized for the painter's device.
    QFont deviceFont() const;

    QPainter* painter_ = nullptr;  // the painter given at construction, if any
    QFont font_;
    int fontDpi_ = 0;
    double width_, height_;
    double x_ = 0, y_ = 0;
    tarnwick::Rgb pen_, fill_;
    tarnwick::PenStyle penStyle_ = tarnwick::PenStyle::Solid;
    tarnwick::FillStyle fillStyle_ = tarnwick::FillStyle::Transparent;
    QPen qpen_{QColor(0, 0, 0), 1, Qt::SolidLine};  // pen_ and penStyle_ as Qt draws them
    bool eyeVisible_ = false;
    QPoint eyePosition_;
    std::unique_ptr<tarnwick::RecordingSurface> kept_;
};
