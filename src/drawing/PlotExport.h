#pragma once
// The plot drawn again from a surface's kept operations (PainterSurface::keepOperations)
// at any resolution, as lines and text rather than a stretched bitmap: onto a printer
// page, or encoded as a PNG picture, an SVG drawing or a PDF page. Only the eye
// picture stays a small raster image.
#include <QByteArray>
#include <QString>
#include <optional>
#include <string>

class PainterSurface;
class QPainter;
class QRectF;

// Draws `drawing` with `painter` as large as `area` (device units) allows, in its own
// proportions: the title line (if any) at the top, the canvas with its eye below it.
void drawPlotPage(QPainter& painter, const QRectF& area, const PainterSurface& drawing, const QString& title);

enum class PlotFormat { Png, Svg, Pdf };

// The format a file name asks for by its extension (letter case ignored), if any.
std::optional<PlotFormat> plotFormatFor(const QString& fileName);

// The plot encoded in `format`, or empty when it could not be made (a PNG picture of
// more than 2^28 pixels is not attempted). A PDF is a page with `title` above the plot; PNG and SVG are the
// canvas alone, a PNG with `scale` pixels per canvas unit.
QByteArray exportPlot(const PainterSurface& drawing, PlotFormat format, const QString& title, int scale = 1);

// A page's title line: the run's title (tarnwick::plotTitle) and today's date.
QString pageTitle(const std::string& runTitle);
