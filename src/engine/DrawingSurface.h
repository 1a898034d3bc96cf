#pragma once
// The drawing operations the plot run, the frame and the gravity indicator use.
// Coordinates are canvas units (pixels), origin top-left, y downward. Implemented by
// the main window's canvas, an offscreen image for the command line, and a recording
// surface for tests.
#include <cstdint>
#include <string>

#include "Constants.h"

namespace tarnwick {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

namespace colours {
inline constexpr Rgb Black{0, 0, 0};
inline constexpr Rgb White{255, 255, 255};
inline constexpr Rgb Red{255, 0, 0};
inline constexpr Rgb Green{0, 255, 0};
inline constexpr Rgb Blue{0, 0, 255};
inline constexpr Rgb Magenta{255, 0, 255};
inline constexpr Rgb Cyan{0, 255, 255};
inline constexpr Rgb LightGrey{192, 192, 192};

// The plot's curves, which the key window's legend repeats.
inline constexpr Rgb RangeTrajectory = Black;
inline constexpr Rgb HuntingTrajectory = Blue;
inline constexpr Rgb RangeEnergy = Red;
inline constexpr Rgb HuntingEnergy = Magenta;
inline constexpr Rgb RangeVelocity = Green;
inline constexpr Rgb HuntingVelocity = Cyan;
}  // namespace colours

enum class PenStyle { Solid, Dotted, DashDotDot };
enum class FillStyle { Transparent, Solid };

class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    virtual double width() const = 0;   // inner width in canvas units
    virtual double height() const = 0;  // inner height in canvas units

    virtual void clear() = 0;  // erase to the background colour
    virtual void setPenColour(Rgb colour) = 0;
    virtual void setPenStyle(PenStyle style) = 0;
    virtual void setFillStyle(FillStyle style) = 0;
    virtual void setFillColour(Rgb colour) = 0;

    // Current point; lines from it and text at it.
    virtual void setCurrent(double x, double y) = 0;
    virtual double currentX() const = 0;
    virtual double currentY() const = 0;

    virtual void line(double x1, double y1, double x2, double y2) = 0;  // current point moves to the end
    virtual void lineTo(double x, double y) = 0;                        // from the current point
    virtual void rectangle(double x1, double y1, double x2, double y2) = 0;  // outline
    virtual void circle(double cx, double cy, double radius) = 0;  // filled when the fill style is solid

    // Text with its top-left at the current point; afterwards the current point
    // moves to the start (x = 0) of the next line.
    virtual void print(const std::string& text) = 0;
    virtual double textWidth(const std::string& text) const = 0;
    virtual double textHeight(const std::string& text) const = 0;

    // The eye picture laid over the canvas: a separate element, not canvas drawing.
    virtual double eyeWidth() const { return 32; }
    virtual double eyeHeight() const { return 32; }
    virtual void showEye(double left, double top) = 0;
    virtual void hideEye() = 0;
};

// Keeps the current point and the styles; swallows the drawing. Base for surfaces
// that only need some operations (benchmarks, silent runs).
class NullSurface : public DrawingSurface {
public:
    NullSurface(double width = kCanvasWidth, double height = kCanvasHeight) : width_(width), height_(height) {}
    double width() const override { return width_; }
    double height() const override { return height_; }
    void clear() override {}
    void setPenColour(Rgb) override {}
    void setPenStyle(PenStyle) override {}
    void setFillStyle(FillStyle) override {}
    void setFillColour(Rgb) override {}
    void setCurrent(double x, double y) override { x_ = x; y_ = y; }
    double currentX() const override { return x_; }
    double currentY() const override { return y_; }
    void line(double, double, double x2, double y2) override { x_ = x2; y_ = y2; }
    void lineTo(double x, double y) override { x_ = x; y_ = y; }
    void rectangle(double, double, double, double) override {}
    void circle(double, double, double) override {}
    void print(const std::string&) override { x_ = 0; y_ += 13; }
    double textWidth(const std::string& text) const override { return 7.0 * static_cast<double>(text.size()); }
    double textHeight(const std::string&) const override { return 13; }
    void showEye(double, double) override {}
    void hideEye() override {}

private:
    double width_, height_;
    double x_ = 0, y_ = 0;
};

}  // namespace tarnwick
