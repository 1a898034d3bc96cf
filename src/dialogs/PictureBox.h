#pragma once
// A picture box: a sunken frame around a drawing surface whose drawing stays until it is
// drawn over, also when the window is covered and uncovered. The surface is a QImage
// backing store; paintEvent only copies it. Mouse positions are reported in picture
// coordinates (pixels from the top-left of the inner area, y downward).
#include <QFrame>
#include <functional>

#include "ImageSurface.h"

class PictureBox : public QFrame {
    Q_OBJECT
public:
    PictureBox(int innerWidth, int innerHeight, QWidget* parent = nullptr);

    // What to draw on. After drawing call refresh() to repaint what changed.
    ImageSurface& surface() { return surface_; }
    const ImageSurface& surface() const { return surface_; }
    void refresh();

    // Changes the inner size; the drawing is kept where it still fits.
    void setInnerSize(int innerWidth, int innerHeight);

    // The colour of one picture pixel.
    QColor pixel(int x, int y) const;

    using MouseHandler = std::function<void(Qt::MouseButton, double x, double y)>;
    MouseHandler onMouseDown, onMouseMove, onMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void forward(const MouseHandler& handler, QMouseEvent* event);

    ImageSurface surface_;
};
