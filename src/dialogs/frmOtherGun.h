#pragma once
// Placeholder: the window's controls that other windows read. Replaced by the full window.
#include <QDialog>

#include "Program.h"



class frmOtherGun : public QDialog, public Form {
    Q_OBJECT
public:
    explicit frmOtherGun(Program& program);



private:
    Program& program_;
};
