#pragma once
// "Set Scope Height": the height of the line of sight above the bore centre, in inches
// (cm in metric).
// The last dialog of the "Set All Parameters" chain. While the mode is a drop table the
// box shows 0 and is disabled.
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "Program.h"
#include "UnitField.h"

class frmOtherGun : public QDialog, public Form {
    Q_OBJECT
public:
    explicit frmOtherGun(Program& program);

    void Form_Load() override;      // centre, then load the remembered scope height
    void Form_Activate() override;  // every activation loads the remembered scope height again
    void cmdSet_Click();

    QLabel* lblScopeHeight = nullptr;
    QLineEdit* txtScopeHeight = nullptr;  // inches
    QLabel* lblInches = nullptr;
    QPushButton* cmdSet = nullptr;

private:
    void loadRememberedScopeHeight();
    void showScopeHeight();  // the session's height, enabled unless a drop table holds it
    void showUnits();

    Program& program_;
    UnitField scopeHeight_;
};
