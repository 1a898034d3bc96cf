#pragma once
// Placeholder: the window's controls that other windows read. Replaced by the full window.
#include <QDialog>

#include "Program.h"



class frmDisplayScale : public QDialog, public Form {
    Q_OBJECT
public:
    explicit frmDisplayScale(Program& program);



private:
    Program& program_;
};
