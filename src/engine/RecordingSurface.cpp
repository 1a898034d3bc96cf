#include "RecordingSurface.h"

namespace tarnwick {

DrawOp RecordingSurface::make(DrawOp::Kind kind) const {
    DrawOp op{};
    op.kind = kind;
    op.pen = pen_;
    op.penStyle = penStyle_;
    op.fillStyle = fillStyle_;
    op.fill = fill_;
    return op;
}

void RecordingSurface::clear() {
    ops_.push_back(make(DrawOp::Kind::Clear));
    setCurrent(0, 0);
}

void RecordingSurface::line(double x1, double y1, double x2, double y2) {
    DrawOp op = make(DrawOp::Kind::Line);
    op.x1 = x1; op.y1 = y1; op.x2 = x2; op.y2 = y2;
    ops_.push_back(op);
    setCurrent(x2, y2);
}

void RecordingSurface::lineTo(double x, double y) { line(currentX(), currentY(), x, y); }

void RecordingSurface::rectangle(double x1, double y1, double x2, double y2) {
    DrawOp op = make(DrawOp::Kind::Rectangle);
    op.x1 = x1; op.y1 = y1; op.x2 = x2; op.y2 = y2;
    ops_.push_back(op);
}

void RecordingSurface::circle(double cx, double cy, double radius) {
    DrawOp op = make(DrawOp::Kind::Circle);
    op.x1 = cx; op.y1 = cy; op.x2 = radius;
    ops_.push_back(op);
}

void RecordingSurface::print(const std::string& text) {
    DrawOp op = make(DrawOp::Kind::Text);
    op.x1 = currentX(); op.y1 = currentY(); op.text = text;
    ops_.push_back(op);
    NullSurface::print(text);
}

void RecordingSurface::showEye(double left, double top) {
    DrawOp op = make(DrawOp::Kind::ShowEye);
    op.x1 = left; op.y1 = top;
    ops_.push_back(op);
    eyeVisible_ = true;
}

void RecordingSurface::hideEye() {
    ops_.push_back(make(DrawOp::Kind::HideEye));
    eyeVisible_ = false;
}

std::vector<DrawOp> RecordingSurface::opsOfKind(DrawOp::Kind kind) const {
    std::vector<DrawOp> found;
    for (const DrawOp& op : ops_)
        if (op.kind == kind) found.push_back(op);
    return found;
}

std::vector<std::string> RecordingSurface::texts() const {
    std::vector<std::string> found;
    for (const DrawOp& op : ops_)
        if (op.kind == DrawOp::Kind::Text) found.push_back(op.text);
    return found;
}

void replay(const std::vector<DrawOp>& ops, DrawingSurface& target) {
    for (const DrawOp& op : ops) {
        target.setPenColour(op.pen);
        target.setPenStyle(op.penStyle);
        target.setFillStyle(op.fillStyle);
        target.setFillColour(op.fill);
        switch (op.kind) {
        case DrawOp::Kind::Clear: target.clear(); break;
        case DrawOp::Kind::Line: target.line(op.x1, op.y1, op.x2, op.y2); break;
        case DrawOp::Kind::Rectangle: target.rectangle(op.x1, op.y1, op.x2, op.y2); break;
        case DrawOp::Kind::Circle: target.circle(op.x1, op.y1, op.x2); break;
        case DrawOp::Kind::Text:
            target.setCurrent(op.x1, op.y1);
            target.print(op.text);
            break;
        case DrawOp::Kind::ShowEye: target.showEye(op.x1, op.y1); break;
        case DrawOp::Kind::HideEye: target.hideEye(); break;
        }
    }
}

}  // namespace tarnwick
