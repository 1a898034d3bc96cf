#pragma once
// Placeholder: the window's controls that other windows read. Replaced by the full window.
#include <QDialog>

#include "Program.h"



class frmTarget : public QDialog, public Form {
    Q_OBJECT
public:
    explicit frmTarget(Program& program);



private:
    Program& program_;
};
