#pragma once
// Placeholder: the window's controls that other windows read. Replaced by the full window.
#include <QDialog>

#include "Program.h"

#include <QLineEdit>

class frmSetEnv : public QDialog, public Form {
    Q_OBJECT
public:
    explicit frmSetEnv(Program& program);

    QLineEdit* txtRTailWind = nullptr;
    QLineEdit* txtRCrossWind = nullptr;
    QLineEdit* txtHTailWind = nullptr;
    QLineEdit* txtHCrossWind = nullptr;

private:
    Program& program_;
};
