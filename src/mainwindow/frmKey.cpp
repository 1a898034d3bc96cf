#include "frmKey.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

#include "FormSupport.h"
#include "frmTrajInfo.h"

namespace {

constexpr double kUnits = 90;  // the client height in the legend's vertical units

struct Row {
    const char* label;
    QColor colour;
    double labelTop;  // in units
    double lineY;     // in units
};

}  // namespace

frmKey::frmKey(Program& program) : program_(program) {
    setObjectName("frmKey");
    setWindowTitle("Key:");
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Designed at 153 x 73; wide enough that the sample lines stay visible behind the
    // longest label in this font.
    const double longest = QFontMetricsF(font()).horizontalAdvance(QStringLiteral("Hunting Trajectory: "));
    resize(std::max(153, qRound(longest) + 10 + 50), 73);
}

void frmKey::Form_Load() {
    // Below the main window, to the right of where the point information window sits,
    // and never past the screen's edges.
    const int infoWidth = program_.window<frmTrajInfo>().frameGeometry().width();
    const QRect mainFrame = program_.mainWindow() ? program_.mainWindow()->frameGeometry() : QRect();
    const QSize own = frameGeometry().size();
    const QSize screen = screenSize(this);
    int top = mainFrame.top() + mainFrame.height();
    int left = mainFrame.left() + infoWidth;
    if (top + own.height() > screen.height()) top = screen.height() - own.height();
    if (left + own.width() > screen.width()) left = screen.width() - own.width();
    move(left, top);
}

void frmKey::Form_Activate() {
    drawLegend();
    update();
}

double frmKey::unitToY(double units) const { return units * height() / kUnits; }

void frmKey::drawLegend() {
    legend_ = QImage(size() * devicePixelRatioF(), QImage::Format_RGB32);
    legend_.setDevicePixelRatio(devicePixelRatioF());
    legend_.fill(Qt::white);
    QPainter painter(&legend_);
    painter.setFont(font());
    const QFontMetricsF metrics(font(), &legend_);
    // Every sample line starts behind the longest label.
    const double lineStart = qRound(metrics.horizontalAdvance(QStringLiteral("Hunting Trajectory: ")) + 10);
    const double lineEnd = width() - 5;

    auto drawRow = [&](const Row& row) {
        painter.setPen(row.colour);
        painter.drawText(QPointF(10, unitToY(row.labelTop) + metrics.ascent()), QString::fromLatin1(row.label));
        painter.drawLine(QPointF(lineStart, unitToY(row.lineY)), QPointF(lineEnd, unitToY(row.lineY)));
    };

    drawRow({"Hunting Trajectory: ", QColor(0, 0, 255), 50, 60});
    drawRow({"Range Trajectory: ", QColor(0, 0, 0), 10, 20});
    const DisplayOptions& display = program_.session().display();
    if (display.energyCurve) {
        drawRow({"Range Energy: ", QColor(255, 0, 0), 30, 40});
        drawRow({"Hunting Energy: ", QColor(255, 0, 255), 70, 80});
    } else if (display.velocityCurve) {
        drawRow({"Range Velocity: ", QColor(0, 255, 0), 30, 40});
        drawRow({"Hunting Velocity: ", QColor(0, 255, 255), 70, 80});
    }
}

void frmKey::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!legend_.isNull()) painter.drawImage(QPointF(0, 0), legend_);
}
