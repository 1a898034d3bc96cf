#pragma once
// "Set Ballistic Coefficient": one coefficient typed by hand for all three velocity
// bands, with the bullet mass in grains (grams in metric); both must be greater than 0. A G7 coefficient
// may be typed too: empty means none (0), anything else must be greater than 0.
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <optional>

#include "Program.h"
#include "UnitField.h"

class frmSetBC : public QDialog, public Form {
    Q_OBJECT
public:
    explicit frmSetBC(Program& program);

    void Form_Load() override;  // centre; the mass box in the session's units
    void cmdOK_Click();

    QLabel* lblBC = nullptr;
    QLineEdit* txtBC = nullptr;
    QLabel* lblBCG7 = nullptr;
    QLineEdit* txtBCG7 = nullptr;
    QLabel* lblOptional = nullptr;       // "(optional)" beside the G7 box
    QLabel* lblBulletMass = nullptr;
    QLineEdit* txtBulletMass = nullptr;  // grains
    QLabel* Label1 = nullptr;            // "gr."
    QPushButton* cmdOK = nullptr;

private:
    // Reads a box that must hold a number greater than 0 (for a box with units, its
    // stored value); shows `refusal` otherwise.
    std::optional<double> readPositive(QLineEdit* box, const QString& fieldName, const QString& refusal,
                                       const UnitField* field = nullptr);
    void showUnits();

    Program& program_;
    UnitField mass_;
};
