#include "frmTrajInfo.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ClickInspection.h"
#include "FormSupport.h"

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption = QString()) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

// A column of four labels with rows of equal height.
QVBoxLayout* column(QWidget* parent, std::initializer_list<QLabel*> labels, int rowHeight) {
    auto* layout = new QVBoxLayout(parent);
    layout->setSpacing(0);
    for (QLabel* label : labels) {
        label->setFixedHeight(rowHeight);
        layout->addWidget(label);
    }
    return layout;
}

QString fromStd(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

frmTrajInfo::frmTrajInfo(Program& program) : program_(program) {
    setObjectName("frmTrajInfo");
    setWindowTitle("At 100 yds:");

    const int rowHeight = fontMetrics().height() + 6;
    // Wide enough for the longest value, "-1234.567 inches", without the window
    // changing size from click to click.
    valueWidth_ = fontMetrics().horizontalAdvance("-00000.000 feet/sec") + 8;

    auto* rows = new QWidget(this);
    rows->setObjectName("rowLabels");
    lblDrop = makeLabel(rows, "lblDrop", "Drop:");
    lblVelocity = makeLabel(rows, "lblVelocity", "Velocity:");
    lblEnergy = makeLabel(rows, "lblEnergy", "Energy:");
    lblDeflection = makeLabel(rows, "lblDeflection", "Wind Deflection:");
    QVBoxLayout* rowLayout = column(rows, {lblDrop, lblVelocity, lblEnergy, lblDeflection}, rowHeight);

    fraRange = new QGroupBox("At the range:", this);
    fraRange->setObjectName("fraRange");
    lblRangeDrop = makeLabel(fraRange, "lblRangeDrop");
    lblRangeVelocity = makeLabel(fraRange, "lblRangeVelocity");
    lblRangeEnergy = makeLabel(fraRange, "lblRangeEnergy");
    lblRangeDeflection = makeLabel(fraRange, "lblRangeDeflection");
    column(fraRange, {lblRangeDrop, lblRangeVelocity, lblRangeEnergy, lblRangeDeflection}, rowHeight);

    fraField = new QGroupBox("In the field:", this);
    fraField->setObjectName("fraField");
    lblFieldDrop = makeLabel(fraField, "lblFieldDrop");
    lblFieldVelocity = makeLabel(fraField, "lblFieldVelocity");
    lblFieldEnergy = makeLabel(fraField, "lblFieldEnergy");
    lblFieldDeflection = makeLabel(fraField, "lblFieldDeflection");
    column(fraField, {lblFieldDrop, lblFieldVelocity, lblFieldEnergy, lblFieldDeflection}, rowHeight);

    for (QGroupBox* frame : {fraRange, fraField}) {
        frame->setFixedWidth(valueWidth_);
        // A hidden frame keeps its place, so the window does not change size.
        QSizePolicy policy = frame->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        frame->setSizePolicy(policy);
    }

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(rows, 0, Qt::AlignTop);
    layout->addWidget(fraRange, 0, Qt::AlignTop);
    layout->addWidget(fraField, 0, Qt::AlignTop);

    rowLayout_ = rowLayout;
    adjustSize();
    alignRowCaptions();

    // A click on show is shown again in the units and corrections chosen meanwhile.
    connect(&program_.session(), &Session::unitsChanged, this, [this] {
        if (isVisible() && lastClick_) showClick(*lastClick_);
    });
}

// Lines the row captions up with the values inside the frames, whatever the style
// makes of a frame's title. Done again when the window is first shown, since the
// style and font are settled only then.
void frmTrajInfo::alignRowCaptions() {
    ensurePolished();  // a frame's room for its title is set when it is polished
    QLayout* outer = layout();
    outer->activate();
    for (QWidget* column : {static_cast<QWidget*>(fraRange), static_cast<QWidget*>(fraField), lblDrop->parentWidget()})
        column->layout()->activate();
    const int offset = lblRangeDrop->mapTo(this, QPoint(0, 0)).y() - lblDrop->mapTo(this, QPoint(0, 0)).y();
    if (offset != 0 || !aligned_) {
        QMargins margins = rowLayout_->contentsMargins();
        margins.setTop(std::max(0, margins.top() + offset));
        rowLayout_->setContentsMargins(margins);
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        outer->activate();
        adjustSize();
        setFixedSize(size());
    }
    aligned_ = true;
}

// An angle to dial after a value makes it wider than the frames were made for: with
// corrections in an angle the frames, and the window, grow to show every value whole.
void frmTrajInfo::fitValues() {
    int needed = valueWidth_;
    if (program_.session().corrections().unit != tarnwick::CorrectionUnit::Inches) {
        const int margins = fraRange->width() - lblRangeDrop->width();
        for (const QLabel* value : {lblRangeDrop, lblRangeVelocity, lblRangeEnergy, lblRangeDeflection, lblFieldDrop,
                                    lblFieldVelocity, lblFieldEnergy, lblFieldDeflection})
            needed = std::max(needed, fontMetrics().horizontalAdvance(value->text()) + margins);
    }
    if (needed == fraRange->width()) return;
    for (QGroupBox* frame : {fraRange, fraField}) frame->setFixedWidth(needed);
    aligned_ = false;
    alignRowCaptions();
}

void frmTrajInfo::showEvent(QShowEvent* event) {
    alignRowCaptions();
    QDialog::showEvent(event);
}

void frmTrajInfo::Form_Load() {
    // Just below the main window, wholly on the screen that shows the main window.
    const QWidget* main = program_.mainWindow();
    const QRect mainFrame = main ? main->frameGeometry() : QRect();
    const QRect wanted(QPoint(mainFrame.left(), mainFrame.top() + mainFrame.height()), frameGeometry().size());
    move(keptInside(wanted, screenArea(main ? main : this)));
}

void frmTrajInfo::showClick(double x) {
    lastClick_ = x;
    tarnwick::ProgramState& state = program_.state();
    const tarnwick::ClickInspection click =
        tarnwick::inspectClick(state.params, state.remembered, program_.session().huntingMode(), x, state.strike);

    setWindowTitle(fromStd(click.caption));
    lblRangeDrop->setText(fromStd(click.lblRangeDrop));
    lblRangeVelocity->setText(fromStd(click.lblRangeVelocity));
    lblRangeEnergy->setText(fromStd(click.lblRangeEnergy));
    lblRangeDeflection->setText(fromStd(click.lblRangeDeflection));
    // A click that could not be worked out at all has no range to name.
    if (!click.targetCaption.empty()) program_.session().setTargetCaption(fromStd(click.targetCaption));
    state.strike = click.strike;
    program_.show(*this);

    if (click.hunting) {
        lblFieldDrop->setText(fromStd(click.lblFieldDrop));
        lblFieldVelocity->setText(fromStd(click.lblFieldVelocity));
        lblFieldEnergy->setText(fromStd(click.lblFieldEnergy));
        lblFieldDeflection->setText(fromStd(click.lblFieldDeflection));
    }
    fraField->setVisible(click.hunting);
    fitValues();

    if (QWidget* main = program_.mainWindow()) main->activateWindow();
}
