#include "frmTarget.h"

#include <QAction>
#include <QApplication>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <cmath>

#include "FormSupport.h"
#include "ImageSurface.h"
#include "ScaledSurface.h"

namespace {

// The drawing area when the view is first made: about four inches square.
constexpr int kInitialAreaUnits = 290;
constexpr int kLifeSize = 72;

QString text(const char* s) { return QString::fromUtf8(s); }

}  // namespace

// The client area of the target view: keeps the drawn picture and hands paint, resize
// and mouse events to the window's handlers.
class TargetArea : public QWidget {
public:
    explicit TargetArea(frmTarget& form) : QWidget(&form), form_(form) {
        setObjectName("picTargetArea");
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(40, 40);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        form_.Form_Paint();
        QPainter painter(this);
        painter.drawImage(QPointF(0, 0), form_.image());
    }
    void resizeEvent(QResizeEvent*) override { form_.Form_Resize(); }
    void mousePressEvent(QMouseEvent* event) override {
        const double factor = form_.pixelsPerUnit();
        form_.Form_MouseDown(event->position().x() / factor, event->position().y() / factor);
    }

private:
    frmTarget& form_;
};

frmTarget::frmTarget(Program& program) : program_(program) {
    setObjectName("frmTarget");
    // Named after the range of the last click on the plot, once there is one.
    const auto showCaption = [this] {
        const QString& caption = program_.session().targetCaption();
        const bool metric = program_.session().units() == tarnwick::UnitSystem::Metric;
        setWindowTitle(!caption.isEmpty() ? caption
                       : metric           ? text("Target at 91 Metres")  // 100 yards
                                          : text("Target at 100 Yards"));
    };
    showCaption();
    connect(&program_.session(), &Session::targetCaptionChanged, this, showCaption);

    menuBar = new QMenuBar(this);
    menuBar->setObjectName("menuBar");
    mnuScale = menuBar->addMenu(text("Scale"));
    mnuScale->setObjectName("mnuScale");
    // The scales exclude each other: a group draws radio marks. None is checked until
    // one is chosen.
    auto* scales = new QActionGroup(this);
    scales->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    const auto scaleItem = [this, scales](const char* name, const char* caption, void (frmTarget::*handler)()) {
        QAction* item = mnuScale->addAction(text(caption));
        item->setObjectName(name);
        item->setCheckable(true);
        scales->addAction(item);
        connect(item, &QAction::triggered, this, handler);
        return item;
    };
    mnuQuarterScale = scaleItem("mnuQuarterScale", "", &frmTarget::mnuQuarterScale_Click);
    mnuHalfScale = scaleItem("mnuHalfScale", "", &frmTarget::mnuHalfScale_Click);
    mnuFullScale = scaleItem("mnuFullScale", "", &frmTarget::mnuFullScale_Click);
    mnuDoubleScale = scaleItem("mnuDoubleScale", "", &frmTarget::mnuDoubleScale_Click);
    mnuQuadScale = scaleItem("mnuQuadScale", "", &frmTarget::mnuQuadScale_Click);
    mnuClose = menuBar->addAction(text("Close"));
    mnuClose->setObjectName("mnuClose");
    connect(mnuClose, &QAction::triggered, this, &frmTarget::mnuClose_Click);
    mnuHelp = menuBar->addAction(text("Help"));
    mnuHelp->setObjectName("mnuHelp");
    connect(mnuHelp, &QAction::triggered, this, &frmTarget::mnuHelp_Click);

    showUnits();
    connect(&program_.session(), &Session::unitsChanged, this, [this, showCaption] {
        showCaption();
        showUnits();
        draw();
    });

    area_ = new TargetArea(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(area_);

    const double factor = pixelsPerUnit();
    const int side = static_cast<int>(std::lround(kInitialAreaUnits * factor));
    area_->resize(side, side);
    resize(side, side + menuBar->sizeHint().height());
    picture_ = std::make_unique<ImageSurface>(side, side, devicePixelRatioF());

    // The aim of an earlier view of this program run, or until the first creation sets
    // it, the middle of the area.
    const int middle = static_cast<int>(std::nearbyint(kInitialAreaUnits / 2.0));
    const QPoint aim = program_.session().targetAim.value_or(QPoint(middle, middle));
    view_.centreX = aim.x();
    view_.centreY = aim.y();
}

void frmTarget::aimAt(int x, int y) {
    view_.centreX = x;
    view_.centreY = y;
    program_.session().targetAim = QPoint(x, y);
}

frmTarget::~frmTarget() = default;

// The scale items name the ruling's unit: inches, or centimetres in metric.
void frmTarget::showUnits() {
    view_.units = program_.session().units();
    const QString unit = view_.units == tarnwick::UnitSystem::Metric ? text(" cm") : text("\"");
    const std::pair<QAction*, const char*> items[] = {{mnuQuarterScale, "1/4"}, {mnuHalfScale, "1/2"},
                                                      {mnuFullScale, "1"}, {mnuDoubleScale, "2"}, {mnuQuadScale, "4"}};
    for (const auto& [item, size] : items) item->setText(text(size) + unit + " = 1" + unit);
}

double frmTarget::pixelsPerUnit() const {
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    const double dpi = shown ? shown->logicalDotsPerInchY() : 96.0;
    return dpi > 0 ? dpi / kLifeSize : 96.0 / kLifeSize;
}

QSizeF frmTarget::drawingArea() const {
    const double factor = pixelsPerUnit();
    return QSizeF(area_->width() / factor, area_->height() / factor);
}

const QImage& frmTarget::image() const { return picture_->image(); }

void frmTarget::drawTarget(tarnwick::DrawingSurface& surface) const {
    const tarnwick::ProgramState& state = program_.state();
    ::drawTarget(surface, view_, state.strike, state.remembered.LastHuntingMode);
}

void frmTarget::draw() {
    picture_->resize(area_->width(), area_->height(), area_->devicePixelRatioF());
    ScaledSurface surface(*picture_, pixelsPerUnit());
    drawTarget(surface);
    area_->update();
}

void frmTarget::Form_Initialize() {
    const QSizeF area = drawingArea();
    aimAt(static_cast<int>(std::nearbyint(area.width() / 2)), static_cast<int>(std::nearbyint(area.height() / 2)));
    view_.scale = kLifeSize;
    draw();
}

void frmTarget::Form_Load() {
    view_.scale = kLifeSize;
    centreOnScreen(*this);
}

void frmTarget::Form_Activate() {
    draw();
    QAction* item = mnuQuadScale;
    switch (view_.scale) {
    case 18: item = mnuQuarterScale; break;
    case 36: item = mnuHalfScale; break;
    case 72: item = mnuFullScale; break;
    case 144: item = mnuDoubleScale; break;
    default: break;
    }
    checkOnly(item);
}

void frmTarget::Form_Deactivate() {
    // Only a window of this program taking over counts; a message box of our own
    // (the help text) stays in front of the view without hiding it.
    if (activationWentElsewhereInProgram(*this)) Form_LostFocus();
}

void frmTarget::Form_Paint() {
    picture_->resize(area_->width(), area_->height(), area_->devicePixelRatioF());
    ScaledSurface surface(*picture_, pixelsPerUnit());
    drawTarget(surface);
}

// The point of aim stays where it is: only the ruling's reach changes.
void frmTarget::Form_Resize() { draw(); }

void frmTarget::Form_MouseDown(double x, double y) {
    if (std::isfinite(x) && std::isfinite(y))
        aimAt(static_cast<int>(std::nearbyint(x)), static_cast<int>(std::nearbyint(y)));
    draw();
}

void frmTarget::Form_LostFocus() { hide(); }

void frmTarget::checkOnly(QAction* item) {
    for (QAction* each : {mnuQuarterScale, mnuHalfScale, mnuFullScale, mnuDoubleScale, mnuQuadScale})
        each->setChecked(each == item);
}

void frmTarget::setScale(int scale, QAction* item) {
    view_.scale = scale;
    draw();
    checkOnly(item);
}

void frmTarget::mnuQuarterScale_Click() { setScale(18, mnuQuarterScale); }
void frmTarget::mnuHalfScale_Click() { setScale(36, mnuHalfScale); }
void frmTarget::mnuFullScale_Click() { setScale(72, mnuFullScale); }
void frmTarget::mnuDoubleScale_Click() { setScale(144, mnuDoubleScale); }
void frmTarget::mnuQuadScale_Click() { setScale(288, mnuQuadScale); }

void frmTarget::mnuClose_Click() { hide(); }

void frmTarget::mnuHelp_Click() {
    QString help = "You are viewing a representation of a " + windowTitle() + ".\r\n";
    help += "The black dot represents where a bullet would strike\r\n";
    if (program_.state().remembered.LastHuntingMode) {
        help += "under the <Range> conditions.  The blue dot shows\r\n";
        help += "where the same bullet would strike under <Hunting>\r\n";
        help += "conditions.\r\n";
    } else {
        help += "under the <Range> conditions.\r\n";
    }
    help += "\r\n";
    help += "You may use the left mouse button to\r\n";
    help += "recenter the target to get a better look at where\r\n";
    help += "the bullets will strike relative to point of aim.\r\n";
    help += "You may also resize the target frame or change the\r\n";
    help += "scale to ease viewing.";
    program_.showMessage(this, help, MessageIcon::Information, text("Target View Help"));
}
