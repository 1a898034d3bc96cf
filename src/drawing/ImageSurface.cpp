#include "ImageSurface.h"

#include <QBuffer>

QImage eyePicture(bool small, qreal devicePixelRatio) {
    if (small) return QImage(":/tarnwick/eye16.png");
    if (devicePixelRatio <= 1) return QImage(":/tarnwick/eye32.png");
    QImage sharp(":/tarnwick/eye64.png");
    sharp.setDevicePixelRatio(2);
    return sharp;
}

QIcon eyeIcon() {
    QIcon icon;
    for (const char* file : {":/tarnwick/eye16.png", ":/tarnwick/eye32.png", ":/tarnwick/eye64.png"})
        icon.addFile(file);
    return icon;
}

ImageSurface::ImageSurface(int width, int height, qreal devicePixelRatio) : PainterSurface(width, height) {
    image_ = QImage(QSize(std::max(width, 1), std::max(height, 1)) * devicePixelRatio, QImage::Format_RGB32);
    image_.setDevicePixelRatio(devicePixelRatio);
    image_.fill(Qt::white);
}

ImageSurface::~ImageSurface() { endPainting(); }

QPainter& ImageSurface::painter() {
    if (!painter_) painter_ = std::make_unique<QPainter>(&image_);
    return *painter_;
}

void ImageSurface::endPainting() const { painter_.reset(); }

void ImageSurface::resize(int width, int height, qreal devicePixelRatio, QSize limit) {
    endPainting();
    setSize(width, height);
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

void ImageSurface::erase() {
    endPainting();
    image_.fill(Qt::white);
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

QImage ImageSurface::composed(const QImage& eye) const {
    endPainting();
    // The canvas as far as the image holds it (a canvas larger than the screen keeps
    // only what the screen can show).
    const QRect shown = QRect(QPoint(0, 0), QSize(int(width()), int(height())) * image_.devicePixelRatio());
    QImage picture = image_.copy(shown.intersected(image_.rect()));
    picture.setDevicePixelRatio(image_.devicePixelRatio());
    if (eyeVisible()) {
        QPainter painter(&picture);
        const QImage& shown = eye.isNull() ? eyePicture(false, image_.devicePixelRatio()) : eye;
        painter.drawImage(QRectF(eyePosition(), QSizeF(eyeWidth(), eyeHeight())), shown);
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
