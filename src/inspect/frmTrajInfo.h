#pragma once
// Placeholder: the window's controls that other windows read. Replaced by the full window.
#include <QDialog>

#include "Program.h"



class frmTrajInfo : public QDialog, public Form {
    Q_OBJECT
public:
    explicit frmTrajInfo(Program& program);

    // The left press on the plot at canvas x: flies the bullet again from the current
    // parameters and shows the values at that range.
    void showClick(double x) { (void)x; }



private:
    Program& program_;
};
