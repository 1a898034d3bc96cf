#include "PlotCanvas.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QResizeEvent>
#include <QScreen>

CanvasSurface::CanvasSurface(PlotCanvas& canvas)
    : ImageSurface(tarnwick::kCanvasWidth, tarnwick::kCanvasHeight), canvas_(canvas) {
    keepOperations();
}

void CanvasSurface::clear() {
    ImageSurface::clear();
    canvas_.runTitle.clear();
    canvas_.flush();
}

void CanvasSurface::line(double x1, double y1, double x2, double y2) {
    ImageSurface::line(x1, y1, x2, y2);
    canvas_.flush();
}

void CanvasSurface::rectangle(double x1, double y1, double x2, double y2) {
    ImageSurface::rectangle(x1, y1, x2, y2);
    canvas_.flush();
}

void CanvasSurface::circle(double cx, double cy, double radius) {
    ImageSurface::circle(cx, cy, radius);
    canvas_.flush();
}

void CanvasSurface::print(const std::string& text) {
    ImageSurface::print(text);
    canvas_.flush();
}

void CanvasSurface::showEye(double left, double top) {
    ImageSurface::showEye(left, top);
    if (!eyeVisible()) return;
    canvas_.imgEye->move(eyePosition());
    canvas_.imgEye->show();
}

void CanvasSurface::hideEye() {
    ImageSurface::hideEye();
    canvas_.imgEye->hide();
}

PlotCanvas::PlotCanvas(QWidget* parent) : QWidget(parent), surface_(*this) {
    setObjectName("canvas");
    // paintEvent copies the whole backing store: nothing underneath needs erasing, and
    // a grown window keeps what was drawn in the part that was already there.
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    surface_.setFont(font());

    imgEye = new QLabel(this);
    imgEye->setObjectName("imgEye");
    imgEye->setFixedSize(32, 32);
    fitEyePicture();
    // A press on the eye is a press on the canvas.
    imgEye->setAttribute(Qt::WA_TransparentForMouseEvents);
    imgEye->hide();
}

QColor PlotCanvas::pixel(int x, int y) const {
    const QImage& image = surface_.image();
    const qreal ratio = image.devicePixelRatio();
    const QPoint at(qFloor((x + 0.5) * ratio), qFloor((y + 0.5) * ratio));
    if (!image.rect().contains(at)) return {};
    return image.pixelColor(at);
}

QImage PlotCanvas::composedImage() const { return surface_.composed(); }

void PlotCanvas::fitEyePicture() {
    // The 64 x 64 drawing on a screen of ratio 2 and more, so the eye stays sharp there.
    const qreal ratio = devicePixelRatioF() > 1 ? 2 : 1;
    if (!imgEye->pixmap().isNull() && imgEye->pixmap().devicePixelRatio() == ratio) return;
    imgEye->setPixmap(QPixmap::fromImage(eyePicture(false, ratio)));
}

void PlotCanvas::flush() {
    pendingRepaint_ = pendingRepaint_.united(surface_.takeDirtyRect());
    if (pendingRepaint_.isEmpty() || repaintQueued_) return;
    repaintQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            repaintQueued_ = false;
            update(pendingRepaint_);
            pendingRepaint_ = QRect();
        },
        Qt::QueuedConnection);
}

void PlotCanvas::fitBackingStore() {
    // A window larger than the screen (a damaged settings record asked for 32767 x 32767
    // pixels) must not take gigabytes: the store holds at most what the screen can show.
    const QScreen* shown = screen();
    const QSize limit = shown ? shown->virtualSize() : ImageSurface::kUnlimited;
    surface_.resize(QWidget::width(), QWidget::height(), devicePixelRatioF(), limit);
}

void PlotCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QImage& image = surface_.image();
    const QRect area = event->rect();
    const qreal ratio = image.devicePixelRatio();
    const QRectF source(area.x() * ratio, area.y() * ratio, area.width() * ratio, area.height() * ratio);
    painter.fillRect(area, Qt::white);
    painter.drawImage(QRectF(area), image, source);
}

void PlotCanvas::resizeEvent(QResizeEvent* event) {
    fitBackingStore();
    QWidget::resizeEvent(event);
}

bool PlotCanvas::event(QEvent* event) {
    // Moving to a screen of another pixel ratio: keep the drawing, sharpen what comes next.
    if (event->type() == QEvent::ScreenChangeInternal) {
        fitBackingStore();
        fitEyePicture();
    } else if (event->type() == QEvent::FontChange)
        surface_.setFont(font());
    return QWidget::event(event);
}

void PlotCanvas::mousePressEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    if (onMouseDown) onMouseDown(event->button(), event->modifiers(), at.x(), at.y());
    event->accept();
}
