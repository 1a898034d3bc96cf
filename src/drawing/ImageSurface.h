#pragma once
// The drawing surface on a QImage: the backing store of the main window's canvas and
// the picture that tarnwick-cli --png writes. Everything drawn stays until cleared.
// Text needs a QGuiApplication (fonts).
#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <limits>
#include <memory>

#include "PainterSurface.h"

// The 32 x 32 eye picture (16 x 16 with small = true). At a device pixel ratio above 1
// the large picture comes from its 64 x 64 drawing, marked with ratio 2 so that it keeps
// its 32 x 32 size in canvas units and stays sharp.
QImage eyePicture(bool small = false, qreal devicePixelRatio = 1.0);

// The window icon: the eye at 16, 32 and 64 pixels.
QIcon eyeIcon();

class ImageSurface : public PainterSurface {
public:
    // width and height in canvas units; the image holds devicePixelRatio pixels per unit.
    ImageSurface(int width, int height, qreal devicePixelRatio = 1.0);
    ~ImageSurface() override;

    static constexpr QSize kUnlimited{std::numeric_limits<int>::max(), std::numeric_limits<int>::max()};

    // Takes the new size in canvas units and grows (never shrinks) the image to it,
    // keeping what was drawn. The image never covers more than `limit` canvas units:
    // what lies beyond is not stored, as it could not be seen.
    void resize(int width, int height, qreal devicePixelRatio, QSize limit = kUnlimited);

    // The drawing so far (painting in progress is finished first).
    const QImage& image() const {
        endPainting();
        return image_;
    }

    // The canvas with the eye picture laid over it (what a print or a PNG shows); without
    // an eye given, the one drawn for the image's pixel ratio.
    QImage composed(const QImage& eye = QImage()) const;
    // That picture encoded as PNG (empty if it could not be encoded); the caller writes
    // the file, so that it is replaced whole or not at all.
    QByteArray png(const QImage& eye = QImage()) const;

    // The region of canvas units touched since the last call (for partial repaints).
    QRect takeDirtyRect();

protected:
    // One painter serves a whole run of drawing operations (opening a painter costs far
    // more than drawing one short segment); it is closed before the image is read,
    // copied, cleared or replaced.
    QPainter& painter() override;
    const QPaintDevice* device() const override { return &image_; }
    void erase() override;
    void touch(double x1, double y1, double x2, double y2) override;

private:
    void endPainting() const;

    QImage image_;
    QRect dirty_;
    mutable std::unique_ptr<QPainter> painter_;  // after image_: ends before it goes
};
