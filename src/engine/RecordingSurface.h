#pragma once
// A drawing surface that records every operation: for tests, for checking what a window
// drew, and as the canvas's memory of its drawing, which can be drawn again on another
// surface at another resolution (a printer page, a PDF or SVG document).
#include <string>
#include <vector>

#include "DrawingSurface.h"

namespace tarnwick {

struct DrawOp {
    enum class Kind { Clear, Line, Rectangle, Circle, Text, ShowEye, HideEye };
    Kind kind;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // circle: centre and radius in x2
    std::string text;
    Rgb pen;
    PenStyle penStyle = PenStyle::Solid;
    FillStyle fillStyle = FillStyle::Transparent;
    Rgb fill;
};

class RecordingSurface : public NullSurface {
public:
    using NullSurface::NullSurface;

    void clear() override;
    void setPenColour(Rgb colour) override { pen_ = colour; }
    void setPenStyle(PenStyle style) override { penStyle_ = style; }
    void setFillStyle(FillStyle style) override { fillStyle_ = style; }
    void setFillColour(Rgb colour) override { fill_ = colour; }
    void line(double x1, double y1, double x2, double y2) override;
    void lineTo(double x, double y) override;
    void rectangle(double x1, double y1, double x2, double y2) override;
    void circle(double cx, double cy, double radius) override;
    void print(const std::string& text) override;
    void showEye(double left, double top) override;
    void hideEye() override;

    const std::vector<DrawOp>& ops() const { return ops_; }
    // Forgets the operations recorded so far; the styles stay.
    void discardOps() { ops_.clear(); }
    std::vector<DrawOp> opsOfKind(DrawOp::Kind kind) const;
    std::vector<std::string> texts() const;
    bool eyeVisible() const { return eyeVisible_; }

private:
    DrawOp make(DrawOp::Kind kind) const;

    std::vector<DrawOp> ops_;
    Rgb pen_, fill_;
    PenStyle penStyle_ = PenStyle::Solid;
    FillStyle fillStyle_ = FillStyle::Transparent;
    bool eyeVisible_ = false;
};

// Draws recorded operations again on `target`, each with the styles it was drawn with.
void replay(const std::vector<DrawOp>& ops, DrawingSurface& target);

}  // namespace tarnwick
