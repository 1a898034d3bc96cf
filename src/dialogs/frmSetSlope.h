#pragma once
// "Set Line of Sight Slope": the angle of the line of sight in degrees, up or down.
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "Program.h"

class frmSetSlope : public QDialog, public Form {
    Q_OBJECT
public:
    explicit frmSetSlope(Program& program);

    void Form_Load() override;  // centre only
    void cmdOK_Click();

    QLabel* lblAngle = nullptr;
    QLineEdit* txtAngle = nullptr;  // degrees
    QRadioButton* optUp = nullptr;
    QRadioButton* optDown = nullptr;
    QPushButton* cmdOK = nullptr;

private:
    Program& program_;
};
