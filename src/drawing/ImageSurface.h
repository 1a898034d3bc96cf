#pragma once
// The drawing surface on a QImage: the backing store of the main window's canvas and
// the picture that tarnwick-cli --png writes. Everything drawn stays until cleared.
// Text needs a QGuiApplication (fonts).
#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <QString>
#include <limits>
#include <memory>

#include "DrawingSurface.h"

class QPainter;

// The 32 x 32 eye picture (16 x 16 with small = true).
QImage eyePicture(bool small = false);

class ImageSurface : public tarnwick::DrawingSurface {
public:
    // width and height in canvas units; the image holds devicePixelRatio pixels per unit.
    ImageSurface(int width, int height, qreal devicePixelRatio = 1.0);
    ~ImageSurface() override;
    ImageSurface(const ImageSurface&) = delete;
    ImageSurface& operator=(const ImageSurface&) = delete;

    static constexpr QSize kUnlimited{std::numeric_limits<int>::max(), std::numeric_limits<int>::max()};

    double width() const override { return width_; }
    double height() const override { return height_; }

    void clear() override;
    void setPenColour(tarnwick::Rgb colour) override;
    void setPenStyle(tarnwick::PenStyle style) override;
    void setFillStyle(tarnwick::FillStyle style) override { fillStyle_ = style; }
    void setFillColour(tarnwick::Rgb colour) override { fill_ = colour; }
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
    void hideEye() override { eyeVisible_ = false; }

    // Takes the new size in canvas units and grows (never shrinks) the image to it,
    // keeping what was drawn. The image never covers more than `limit` canvas units:
    // what lies beyond is not stored, as it could not be seen.
    void resize(int width, int height, qreal devicePixelRatio, QSize limit = kUnlimited);

    // The drawing so far (painting in progress is finished first).
    const QImage& image() const {
        endPainting();
        return image_;
    }
    QFont font() const { return font_; }
    void setFont(const QFont& font) { font_ = font; }
    bool eyeVisible() const { return eyeVisible_; }
    QPoint eyePosition() const { return eyePosition_; }

    // The canvas with the eye picture laid over it (what a print or a PNG shows).
    QImage composed(const QImage& eye) const;
    // That picture encoded as PNG (empty if it could not be encoded); the caller writes
    // the file, so that it is replaced whole or not at all.
    QByteArray png(const QImage& eye = eyePicture()) const;

    // The region of canvas units touched since the last call (for partial repaints).
    QRect takeDirtyRect();

private:
    void touch(double x1, double y1, double x2, double y2);
    // One painter serves a whole run of drawing operations (opening a painter costs far
    // more than drawing one short segment); it is closed before the image is read,
    // copied, cleared or replaced.
    QPainter& painter();
    void endPainting() const;

    QImage image_;
    QFont font_;
    double width_, height_;
    double x_ = 0, y_ = 0;
    tarnwick::Rgb pen_, fill_;
    tarnwick::PenStyle penStyle_ = tarnwick::PenStyle::Solid;
    tarnwick::FillStyle fillStyle_ = tarnwick::FillStyle::Transparent;
    QPen qpen_{QColor(0, 0, 0), 1, Qt::SolidLine};  // pen_ and penStyle_ as Qt draws them
    bool eyeVisible_ = false;
    QPoint eyePosition_;
    QRect dirty_;
    mutable std::unique_ptr<QPainter> painter_;  // after image_: ends before it goes
};
