#pragma once
// Placeholder: the window's controls that other windows read. Replaced by the full window.
#include <QDialog>

#include "Program.h"

#include <QLineEdit>

class frmSelectBullet : public QDialog, public Form {
    Q_OBJECT
public:
    explicit frmSelectBullet(Program& program);

    QLineEdit* txtManufacturer = nullptr;
    QLineEdit* txtBulletMass = nullptr;
    QLineEdit* txtBulletType = nullptr;

private:
    Program& program_;
};
