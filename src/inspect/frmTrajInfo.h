#pragma once
// The point information window: drop, velocity, energy and wind deflection at the range
// last clicked on the plot, for the range conditions ("At the range:") and, in Hunting
// mode, for the hunting conditions ("In the field:"). It places itself just below the
// main window when it is loaded.
#include <QDialog>
#include <optional>

#include "Program.h"

class QGroupBox;
class QLabel;
class QVBoxLayout;

class frmTrajInfo : public QDialog, public Form {
    Q_OBJECT
public:
    explicit frmTrajInfo(Program& program);

    void Form_Load() override;

    // The left press on the plot at canvas x: flies the bullet again from the current
    // parameters and shows the values at that range.
    void showClick(double x);

    QLabel* lblDrop = nullptr;
    QLabel* lblVelocity = nullptr;
    QLabel* lblEnergy = nullptr;
    QLabel* lblDeflection = nullptr;
    QGroupBox* fraRange = nullptr;
    QLabel* lblRangeDrop = nullptr;
    QLabel* lblRangeVelocity = nullptr;
    QLabel* lblRangeEnergy = nullptr;
    QLabel* lblRangeDeflection = nullptr;
    QGroupBox* fraField = nullptr;
    QLabel* lblFieldDrop = nullptr;
    QLabel* lblFieldVelocity = nullptr;
    QLabel* lblFieldEnergy = nullptr;
    QLabel* lblFieldDeflection = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void alignRowCaptions();
    void fitValues();

    Program& program_;
    QVBoxLayout* rowLayout_ = nullptr;
    bool aligned_ = false;
    int valueWidth_ = 0;               // the frames' width for the widest imperial value
    std::optional<double> lastClick_;  // canvas x of the click shown
};
