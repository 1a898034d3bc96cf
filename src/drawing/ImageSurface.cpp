#include "ImageSurface.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace {

QColor toQColor(tarnwick::Rgb colour) { return QColor(colour.r, colour.g, colour.b); }

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

QImage eyePicture(bool small) { return QImage(small ? ":/tarnwick/eye16.png" : ":/tarnwick/eye32.png"); }

ImageSurface::ImageSurface(int width, int height, qreal devicePixelRatio)
    : width_(width), height_(height) {
    image_ = QImage(QSize(std::max(width, 1), std::max(height, 1)) * devicePixelRatio, QImage::Format_RGB32);
    image_.setDevicePixelRatio(devicePixelRatio);
    image_.fill(Qt::white);
}

ImageSurface::~ImageSurface() { endPainting(); }

void ImageSurface::setPenColour(tarnwick::Rgb colour) {
    pen_ = colour;
    qpen_.setColor(toQColor(colour));
}

void ImageSurface::setPenStyle(tarnwick::PenStyle style) {
    penStyle_ = style;
    qpen_.setStyle(toQtStyle(style));
}

QPainter& ImageSurface::painter() {
    if (!painter_) painter_ = std::make_unique<QPainter>(&image_);
    return *painter_;
}

void ImageSurface::endPainting() const { painter_.reset(); }

void ImageSurface::resize(int width, int height, qreal devicePixelRatio, QSize limit) {
    endPainting();
    width_ = width;
    height_ = height;
    const QSize needed =
        QSize(std::max(width, 1), std::max(height, 1)).boundedTo(limit.expandedTo(QSize(1, 1))) * devicePixelRatio;
    if (needed.width() <= image_.width() && needed.height() <= image_.height() &&
        devicePixelRatio == image_.devicePixelRatio())
        return;
    QImage grown(needed.expandedTo(image_.size()), QImage::Format_RGB32);
    grown.setDevicePixelRatio(devicePixelRatio);
    grown.fill(Qt::white);
    QPainter painter(&grown);
    painter.drawImage(QPointF(0, 0), image_);
    painter.end();
    image_ = grown;
}

void ImageSurface::clear() {
    endPainting();
    image_.fill(Qt::white);
    x_ = y_ = 0;
    touch(0, 0, width_, height_);
}

void ImageSurface::touch(double x1, double y1, double x2, double y2) {
    const QRect rect = QRectF(QPointF(std::min(x1, x2), std::min(y1, y2)), QPointF(std::max(x1, x2), std::max(y1, y2)))
                           .toAlignedRect()
                           .adjusted(-2, -2, 2, 2);
    dirty_ = dirty_.united(rect);
}

QRect ImageSurface::takeDirtyRect() {
    const QRect rect = dirty_;
    dirty_ = QRect();
    return rect;
}

void ImageSurface::line(double x1, double y1, double x2, double y2) {
    x_ = x2;
    y_ = y2;
    if (!(drawable(x1) && drawable(y1) && drawable(x2) && drawable(y2))) return;
    QPainter& p = painter();
    p.setPen(qpen_);
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    touch(x1, y1, x2, y2);
}

void ImageSurface::rectangle(double x1, double y1, double x2, double y2) {
    if (!(drawable(x1) && drawable(y1) && drawable(x2) && drawable(y2))) return;
    QPainter& p = painter();
    p.setPen(qpen_);
    p.setBrush(fillStyle_ == tarnwick::FillStyle::Solid ? QBrush(toQColor(fill_)) : QBrush(Qt::NoBrush));
    p.drawRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized());
    touch(x1, y1, x2, y2);
}

void ImageSurface::circle(double cx, double cy, double radius) {
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

void ImageSurface::print(const std::string& text) {
    const QString qtext = QString::fromStdString(text);
    const double lineHeight = textHeight(text);
    if (drawable(x_) && drawable(y_)) {
        QPainter& p = painter();
        p.setFont(font_);
        p.setPen(toQColor(pen_));
        const QFontMetricsF metrics(font_, &image_);
        p.drawText(QPointF(x_, y_ + metrics.ascent()), qtext);
        touch(x_, y_, x_ + metrics.horizontalAdvance(qtext), y_ + lineHeight);
    }
    x_ = 0;
    y_ += lineHeight;
}

double ImageSurface::textWidth(const std::string& text) const {
    return QFontMetricsF(font_, &image_).horizontalAdvance(QString::fromStdString(text));
}

double ImageSurface::textHeight(const std::string&) const { return QFontMetricsF(font_, &image_).height(); }

void ImageSurface::showEye(double left, double top) {
    eyeVisible_ = true;
    if (drawable(left) && drawable(top)) eyePosition_ = QPoint(qRound(left), qRound(top));
}

QImage ImageSurface::composed(const QImage& eye) const {
    endPainting();
    // The canvas as far as the image holds it (a canvas larger than the screen keeps
    // only what the screen can show).
    const QRect shown = QRect(QPoint(0, 0), QSize(int(width_), int(height_)) * image_.devicePixelRatio());
    QImage picture = image_.copy(shown.intersected(image_.rect()));
    picture.setDevicePixelRatio(image_.devicePixelRatio());
    if (eyeVisible_ && !eye.isNull()) {
        QPainter painter(&picture);
        painter.drawImage(QRectF(eyePosition_, QSizeF(eyeWidth(), eyeHeight())), eye);
    }
    return picture;
}

QByteArray ImageSurface::png(const QImage& eye) const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!composed(eye).save(&buffer, "PNG")) return QByteArray();
    return bytes;
}
