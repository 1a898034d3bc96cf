#include "frmKey.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

#include "FormSupport.h"
#include "PainterSurface.h"
#include "frmTrajInfo.h"

namespace {

constexpr double kUnits = 90;  // the client height in the legend's vertical units

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
    // and wholly on the screen that shows the main window.
    const int infoWidth = program_.window<frmTrajInfo>().frameGeometry().width();
    const QWidget* main = program_.mainWindow();
    const QRect mainFrame = main ? main->frameGeometry() : QRect();
    const QRect wanted(QPoint(mainFrame.left() + infoWidth, mainFrame.top() + mainFrame.height()), frameGeometry().size());
    move(keptInside(wanted, screenArea(main ? main : this)));
}

void frmKey::Form_Activate() {
    // A metric label can be longer than the window was made for: wide enough again that
    // the sample lines stay visible behind it.
    const int needed = qRound(QFontMetricsF(font()).horizontalAdvance(longestLabel())) + 10 + 50;
    if (program_.session().units() == tarnwick::UnitSystem::Metric && width() < needed) resize(needed, height());
    drawLegend();
    update();
}

double frmKey::unitToY(double units) const { return units * height() / kUnits; }

std::vector<frmKey::Row> frmKey::rows() const {
    using namespace tarnwick;
    // In metric the energy and velocity rows name their unit, as the plot's curve axis does.
    const UnitSystem units = program_.session().units();
    const auto label = [units](const char* name, Quantity quantity) {
        if (units == UnitSystem::Imperial) return QString::fromLatin1(name) + ": ";
        return QString::fromLatin1(name) + " (" + QString::fromLatin1(unitName(quantity, units)) + "): ";
    };
    std::vector<Row> shown = {{"Hunting Trajectory: ", toQColor(colours::HuntingTrajectory), 50, 60},
                              {"Range Trajectory: ", toQColor(colours::RangeTrajectory), 10, 20}};
    const DisplayOptions& display = program_.session().display();
    if (display.energyCurve) {
        shown.push_back({label("Range Energy", Quantity::Energy), toQColor(colours::RangeEnergy), 30, 40});
        shown.push_back({label("Hunting Energy", Quantity::Energy), toQColor(colours::HuntingEnergy), 70, 80});
    } else if (display.velocityCurve) {
        shown.push_back({label("Range Velocity", Quantity::Speed), toQColor(colours::RangeVelocity), 30, 40});
        shown.push_back({label("Hunting Velocity", Quantity::Speed), toQColor(colours::HuntingVelocity), 70, 80});
    }
    return shown;
}

QStringList frmKey::labels() const {
    QStringList shown;
    for (const Row& row : rows()) shown << row.label;
    return shown;
}

QString frmKey::longestLabel() const {
    const QFontMetricsF metrics(font());
    QString longest = QStringLiteral("Hunting Trajectory: ");
    for (const Row& row : rows())
        if (metrics.horizontalAdvance(row.label) > metrics.horizontalAdvance(longest)) longest = row.label;
    return longest;
}

void frmKey::drawLegend() {
    legend_ = QImage(size() * devicePixelRatioF(), QImage::Format_RGB32);
    legend_.setDevicePixelRatio(devicePixelRatioF());
    legend_.fill(Qt::white);
    QPainter painter(&legend_);
    painter.setFont(font());
    const QFontMetricsF metrics(font(), &legend_);
    // Every sample line starts behind the longest label.
    const double lineStart = qRound(metrics.horizontalAdvance(longestLabel()) + 10);
    const double lineEnd = width() - 5;

    for (const Row& row : rows()) {
        painter.setPen(row.colour);
        painter.drawText(QPointF(10, unitToY(row.labelTop) + metrics.ascent()), row.label);
        painter.drawLine(QPointF(lineStart, unitToY(row.lineY)), QPointF(lineEnd, unitToY(row.lineY)));
    }
}

void frmKey::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!legend_.isNull()) painter.drawImage(QPointF(0, 0), legend_);
}
