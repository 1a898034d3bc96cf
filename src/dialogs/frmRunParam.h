#pragma once
// Placeholder: the window's controls that other windows read. Replaced by the full window.
#include <QDialog>

#include "Program.h"

#include <QRadioButton>

class frmRunParam : public QDialog, public Form {
    Q_OBJECT
public:
    explicit frmRunParam(Program& program);

    QRadioButton* optHuntingMode = nullptr;

private:
    Program& program_;
};
