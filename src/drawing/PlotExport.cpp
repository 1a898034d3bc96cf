#include "PlotExport.h"

#include <QBuffer>
#include <QDate>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>

#include "ImageSurface.h"

void drawPlotPage(QPainter& painter, const QRectF& area, const PainterSurface& drawing, const QString& title) {
    const double width = drawing.width();
    const double height = drawing.height();
    if (!(width > 0 && height > 0) || area.isEmpty()) return;
    painter.save();
    // The page is laid out in canvas units: the title, half a line of space, the canvas.
    PainterSurface page(painter, width, height, drawing.font(), drawing.fontDpi());
    const std::string titleText = title.toStdString();
    const double titleBlock = title.isEmpty() ? 0 : page.textHeight(titleText) * 1.5;
    const double pageWidth = std::max(width, title.isEmpty() ? 0 : page.textWidth(titleText));
    const double scale = std::min(area.width() / pageWidth, area.height() / (height + titleBlock));
    painter.translate(area.topLeft());
    painter.scale(scale, scale);
    if (!title.isEmpty()) {
        page.setPenColour(tarnwick::colours::Black);
        page.print(titleText);
    }
    painter.translate(0, titleBlock);
    // Marks above the line of sight may lie outside the canvas; the page shows what the
    // canvas shows.
    painter.setClipRect(QRectF(0, 0, width, height));
    PainterSurface canvas(painter, width, height, drawing.font(), drawing.fontDpi());
    canvas.clear();
    tarnwick::replay(drawing.operations(), canvas);
    if (drawing.eyeVisible()) {
        // The sharper drawing when the page holds more than one dot per canvas unit.
        const qreal dotsPerUnit = painter.worldTransform().m11() * painter.device()->devicePixelRatioF();
        painter.drawImage(QRectF(drawing.eyePosition(), QSizeF(drawing.eyeWidth(), drawing.eyeHeight())),
                          eyePicture(false, dotsPerUnit));
    }
    painter.restore();
}

std::optional<PlotFormat> plotFormatFor(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("png")) return PlotFormat::Png;
    if (suffix == QLatin1String("svg")) return PlotFormat::Svg;
    if (suffix == QLatin1String("pdf")) return PlotFormat::Pdf;
    return std::nullopt;
}

namespace {

// The largest picture made: 2^28 pixels (1 GiB). The memory for a larger one might
// be promised by the system and only fail once written, ending the program.
constexpr double kMostPixels = 268435456;

QByteArray png(const PainterSurface& drawing, int scale) {
    const double width = drawing.width() * scale, height = drawing.height() * scale;
    if (scale < 1 || !(width * height <= kMostPixels)) return {};
    const QSize size(qRound(width), qRound(height));
    QImage picture(size, QImage::Format_RGB32);  // null when memory is short
    if (picture.isNull()) return {};
    picture.fill(Qt::white);
    QPainter painter(&picture);
    drawPlotPage(painter, QRectF(QPointF(0, 0), QSizeF(size)), drawing, QString());
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG")) return {};
    return bytes;
}

QByteArray svg(const PainterSurface& drawing) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    const QSizeF size(drawing.width(), drawing.height());
    generator.setSize(size.toSize());
    generator.setViewBox(QRectF(QPointF(0, 0), size));
    // One canvas unit is one pixel of the screen the canvas was measured on.
    generator.setResolution(drawing.fontDpi());
    generator.setTitle(QStringLiteral("Tarnwick plot"));
    QPainter painter;
    if (!painter.begin(&generator)) return {};
    drawPlotPage(painter, QRectF(QPointF(0, 0), size), drawing, QString());
    if (!painter.end()) return {};
    return bytes;
}

QByteArray pdf(const PainterSurface& drawing, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Tarnwick"));
    writer.setTitle(title);
    writer.setPageOrientation(drawing.width() >= drawing.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&writer)) return {};
    drawPlotPage(painter, QRectF(QPointF(0, 0), writer.pageLayout().paintRectPixels(writer.resolution()).size()),
                 drawing, title);
    if (!painter.end()) return {};
    return bytes;
}

}  // namespace

QByteArray exportPlot(const PainterSurface& drawing, PlotFormat format, const QString& title, int scale) {
    switch (format) {
    case PlotFormat::Png: return png(drawing, scale);
    case PlotFormat::Svg: return svg(drawing);
    case PlotFormat::Pdf: return pdf(drawing, title);
    }
    return {};
}

QString pageTitle(const std::string& runTitle) {
    const QString date = QDate::currentDate().toString(Qt::ISODate);
    return runTitle.empty() ? date : QString::fromStdString(runTitle) + QStringLiteral(", ") + date;
}
