#include "PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(int innerWidth, int innerHeight, QWidget* parent)
    : QFrame(parent), surface_(innerWidth, innerHeight, devicePixelRatioF()) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setInnerSize(innerWidth, innerHeight);
}

void PictureBox::setInnerSize(int innerWidth, int innerHeight) {
    surface_.resize(innerWidth, innerHeight, devicePixelRatioF());
    const int border = 2 * frameWidth();
    setFixedSize(innerWidth + border, innerHeight + border);
    update();
}

void PictureBox::refresh() {
    const QRect dirty = surface_.takeDirtyRect();
    if (!dirty.isEmpty()) update(dirty.translated(contentsRect().topLeft()));
}

QColor PictureBox::pixel(int x, int y) const {
    const QImage& image = surface_.image();
    const qreal ratio = image.devicePixelRatio();
    return image.pixelColor(QPoint(qRound(x * ratio), qRound(y * ratio)));
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.fillRect(event->rect() & inner, Qt::white);
    painter.setClipRect(inner);
    painter.drawImage(inner.topLeft(), surface_.image());
    painter.setClipping(false);
    drawFrame(&painter);
}

void PictureBox::forward(const MouseHandler& handler, QMouseEvent* event) {
    if (!handler) return;
    const QPointF position = event->position() - QPointF(contentsRect().topLeft());
    handler(event->button(), position.x(), position.y());
}

void PictureBox::mousePressEvent(QMouseEvent* event) { forward(onMouseDown, event); }
void PictureBox::mouseMoveEvent(QMouseEvent* event) { forward(onMouseMove, event); }
void PictureBox::mouseReleaseEvent(QMouseEvent* event) { forward(onMouseUp, event); }
