#include "PainterSurface.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <cmath>

QColor toQColor(tarnwick::Rgb colour) { return QColor(colour.r, colour.g, colour.b); }

namespace {

Qt::PenStyle toQtStyle(tarnwick::PenStyle style) {
    switch (style) {
    case tarnwick::PenStyle::Dotted: return Qt::DotLine;
    case tarnwick::PenStyle::DashDotDot: return Qt::DashDotDotLine;
    case tarnwick::PenStyle::Solid: break;
    }
    return Qt::SolidLine;
}

// Coordinates far outside the canvas (or not numbers at all) are not drawn: QPainter
// works in fixed point and a huge value would wrap around.
bool drawable(double value) { return std::isfinite(value) && std::fabs(value) < 1.0e6; }

}  // namespace

PainterSurface::PainterSurface(QPainter& painter, double width, double height, const QFont& font, int fontDpi)
    : painter_(&painter), font_(font), fontDpi_(fontDpi), width_(width), height_(height) {}

PainterSurface::PainterSurface(double width, double height) : width_(width), height_(height) {}

PainterSurface::~PainterSurface() = default;

QPainter& PainterSurface::painter() { return *painter_; }

const QPaintDevice* PainterSurface::device() const { return painter_->device(); }

int PainterSurface::fontDpi() const { return fontDpi_ > 0 ? fontDpi_ : device()->logicalDpiY(); }

QFont PainterSurface::deviceFont() const {
    // A point size grows with the device's resolution; the painter's transform already
    // maps canvas units onto the device, so the size is given back in canvas units.
    const int deviceDpi = device()->logicalDpiY();
    if (fontDpi_ <= 0 || fontDpi_ == deviceDpi || font_.pointSizeF() <= 0) return font_;
    QFont sized = font_;
    sized.setPointSizeF(font_.pointSizeF() * fontDpi_ / deviceDpi);
    return sized;
}

bool PainterSurface::clearsUnderText() const {
    const int type = device()->devType();
    return type == QInternal::Image || type == QInternal::Pixmap;
}

void PainterSurface::keepOperations() {
    if (kept_) return;
    kept_ = std::make_unique<tarnwick::RecordingSurface>(width_, height_);
    kept_->setPenColour(pen_);
    kept_->setPenStyle(penStyle_);
    kept_->setFillStyle(fillStyle_);
    kept_->setFillColour(fill_);
}

const std::vector<tarnwick::DrawOp>& PainterSurface::operations() const {
    static const std::vector<tarnwick::DrawOp> none;
    return kept_ ? kept_->ops() : none;
}

void PainterSurface::erase() { painter().fillRect(QRectF(0, 0, width_, height_), Qt::white); }

void PainterSurface::clear() {
    erase();
    x_ = y_ = 0;
    touch(0, 0, width_, height_);
    if (kept_) kept_->discardOps();
}

void PainterSurface::setPenColour(tarnwick::Rgb colour) {
    pen_ = colour;
    qpen_.setColor(toQColor(colour));
    if (kept_) kept_->setPenColour(colour);
}

void PainterSurface::setPenStyle(tarnwick::PenStyle style) {
    penStyle_ = style;
    qpen_.setStyle(toQtStyle(style));
    if (kept_) kept_->setPenStyle(style);
}

void PainterSurface::setFillStyle(tarnwick::FillStyle style) {
    fillStyle_ = style;
    if (kept_) kept_->setFillStyle(style);
}

void PainterSurface::setFillColour(tarnwick::Rgb colour) {
    fill_ = colour;
    if (kept_) kept_->setFillColour(colour);
}

void PainterSurface::line(double x1, double y1, double x2, double y2) {
    x_ = x2;
    y_ = y2;
    if (kept_) kept_->line(x1, y1, x2, y2);
    if (!(drawable(x1) && drawable(y1) && drawable(x2) && drawable(y2))) return;
    QPainter& p = painter();
    p.setPen(qpen_);
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    touch(x1, y1, x2, y2);
}

void PainterSurface::rectangle(double x1, double y1, double x2, double y2) {
    if (kept_) kept_->rectangle(x1, y1, x2, y2);
    if (!(drawable(x1) && drawable(y1) && drawable(x2) && drawable(y2))) return;
    QPainter& p = painter();
    p.setPen(qpen_);
    p.setBrush(fillStyle_ == tarnwick::FillStyle::Solid ? QBrush(toQColor(fill_)) : QBrush(Qt::NoBrush));
    p.drawRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized());
    touch(x1, y1, x2, y2);
}

void PainterSurface::circle(double cx, double cy, double radius) {
    if (kept_) kept_->circle(cx, cy, radius);
    if (!(drawable(cx) && drawable(cy) && drawable(radius))) return;
    QPainter& p = painter();
    // Only circles are smoothed; lines and rectangles stay crisp.
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(qpen_);
    p.setBrush(fillStyle_ == tarnwick::FillStyle::Solid ? QBrush(toQColor(fill_)) : QBrush(Qt::NoBrush));
    p.drawEllipse(QPointF(cx, cy), radius, radius);
    p.setRenderHint(QPainter::Antialiasing, false);
    touch(cx - radius, cy - radius, cx + radius, cy + radius);
}

void PainterSurface::print(const std::string& text) {
    if (kept_) {
        kept_->setCurrent(x_, y_);
        kept_->print(text);
    }
    const QString qtext = QString::fromStdString(text);
    const double lineHeight = textHeight(text);
    if (drawable(x_) && drawable(y_)) {
        const QFont font = deviceFont();
        QPainter& p = painter();
        p.setFont(font);
        p.setPen(toQColor(pen_));
        const QFontMetricsF metrics(font, device());
        const QPointF baseline(x_, y_ + metrics.ascent());
        QRectF box(x_, y_, metrics.horizontalAdvance(qtext), lineHeight);
        if (clearsUnderText()) {
            // The text's own box (its advance and line height, and any ink beyond them),
            // widened to whole units so that its smoothed edges are covered too.
            box = QRectF(box.united(metrics.boundingRect(qtext).translated(baseline)).toAlignedRect());
            p.fillRect(box, Qt::white);
        }
        p.drawText(baseline, qtext);
        touch(box.left(), box.top(), box.right(), box.bottom());
    }
    x_ = 0;
    y_ += lineHeight;
}

double PainterSurface::textWidth(const std::string& text) const {
    return QFontMetricsF(deviceFont(), device()).horizontalAdvance(QString::fromStdString(text));
}

double PainterSurface::textHeight(const std::string&) const { return QFontMetricsF(deviceFont(), device()).height(); }

void PainterSurface::showEye(double left, double top) {
    if (kept_) kept_->showEye(left, top);
    eyeVisible_ = true;
    if (drawable(left) && drawable(top)) eyePosition_ = QPoint(qRound(left), qRound(top));
}

void PainterSurface::hideEye() {
    if (kept_) kept_->hideEye();
    eyeVisible_ = false;
}
