#pragma once
// A drawing surface in units of its own laid over another surface: every coordinate,
// length and size is multiplied by `pixelsPerUnit` on the way in and divided by it on
// the way out. The target view draws in 1/72 inch of screen through this onto a
// surface in pixels.
#include "DrawingSurface.h"

class ScaledSurface : public tarnwick::DrawingSurface {
public:
    ScaledSurface(tarnwick::DrawingSurface& inner, double pixelsPerUnit);

    double pixelsPerUnit() const { return factor_; }

    double width() const override { return inner_.width() / factor_; }
    double height() const override { return inner_.height() / factor_; }

    void clear() override { inner_.clear(); }
    void setPenColour(tarnwick::Rgb colour) override { inner_.setPenColour(colour); }
    void setPenStyle(tarnwick::PenStyle style) override { inner_.setPenStyle(style); }
    void setFillStyle(tarnwick::FillStyle style) override { inner_.setFillStyle(style); }
    void setFillColour(tarnwick::Rgb colour) override { inner_.setFillColour(colour); }
    void setCurrent(double x, double y) override { inner_.setCurrent(x * factor_, y * factor_); }
    double currentX() const override { return inner_.currentX() / factor_; }
    double currentY() const override { return inner_.currentY() / factor_; }
    void line(double x1, double y1, double x2, double y2) override;
    void lineTo(double x, double y) override { inner_.lineTo(x * factor_, y * factor_); }
    void rectangle(double x1, double y1, double x2, double y2) override;
    void circle(double cx, double cy, double radius) override;
    void print(const std::string& text) override { inner_.print(text); }
    double textWidth(const std::string& text) const override { return inner_.textWidth(text) / factor_; }
    double textHeight(const std::string& text) const override { return inner_.textHeight(text) / factor_; }
    void showEye(double left, double top) override { inner_.showEye(left * factor_, top * factor_); }
    void hideEye() override { inner_.hideEye(); }

private:
    tarnwick::DrawingSurface& inner_;
    double factor_;
};
