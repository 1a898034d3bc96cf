#pragma once
// "Select Scale For Display": one of four fixed pairs of plot scales, horizontal in
// canvas units per foot and vertical in canvas units per inch. Each option is named by
// the range it shows: in yards, or in whole metres in metric.
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <array>

#include "Program.h"

class frmDisplayScale : public QDialog, public Form {
    Q_OBJECT
public:
    explicit frmDisplayScale(Program& program);

    void Form_Load() override;  // centre, select the option matching the remembered scales
    void cmdOK_Click();

    QRadioButton* opt25Yards = nullptr;    // (10, 32)
    QRadioButton* opt100Yards = nullptr;   // (2, 32)
    QRadioButton* opt300Yards = nullptr;   // (2/3, 32), the start-up pair
    QRadioButton* opt1000Yards = nullptr;  // (0.2, 1)
    QPushButton* cmdOK = nullptr;

private:
    // The four options in the order of their scale pairs (tarnwick::kDisplayScales).
    std::array<QRadioButton*, 4> options() const { return {opt25Yards, opt100Yards, opt300Yards, opt1000Yards}; }
    void showUnits();

    Program& program_;
};
