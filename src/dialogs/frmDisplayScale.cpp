#include "frmDisplayScale.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "DialogSupport.h"
#include "FormSupport.h"
#include "frmSetEnv.h"

frmDisplayScale::frmDisplayScale(Program& program) : program_(program) {
    setObjectName("frmDisplayScale");
    setWindowTitle("Select Scale For Display");

    auto makeOption = [this](const char* name, const char* caption) {
        auto* option = new QRadioButton(caption, this);
        option->setObjectName(name);
        return option;
    };
    opt25Yards = makeOption("opt25Yards", "25 Yards");
    opt100Yards = makeOption("opt100Yards", "100 Yards");
    opt300Yards = makeOption("opt300Yards", "300 Yards");
    opt1000Yards = makeOption("opt1000Yards", "1000 Yards");
    opt300Yards->setChecked(true);
    cmdOK = acceptButton(this, "cmdOK", "OK");

    auto* layout = new QVBoxLayout(this);
    for (QRadioButton* option : {opt25Yards, opt100Yards, opt300Yards, opt1000Yards}) layout->addWidget(option);
    layout->addLayout(centredRow(cmdOK));
    setMinimumWidth(220);
    adjustSize();

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    endSetAllWhenCancelled(*this, program);
}

void frmDisplayScale::Form_Load() {
    centreOnScreen(*this);
    // Exact comparison: only a pair stored from one of the options selects it; any
    // other pair (including 2/3, 32) leaves 300 Yards selected.
    const auto& last = program_.state().remembered;
    const double h = last.LastHorizontalScale;
    const double v = last.LastVerticalScale;
    if (h == 10 && v == 32)
        opt25Yards->setChecked(true);
    else if (h == 2 && v == 32)
        opt100Yards->setChecked(true);
    else if (h == 0.2 && v == 1)
        opt1000Yards->setChecked(true);
    else
        opt300Yards->setChecked(true);
}

void frmDisplayScale::cmdOK_Click() {
    auto& p = program_.params();
    if (opt25Yards->isChecked()) {
        p.HorizontalScale = 10;
        p.VerticalScale = 32;
    } else if (opt100Yards->isChecked()) {
        p.HorizontalScale = 2;
        p.VerticalScale = 32;
    } else if (opt300Yards->isChecked()) {
        p.HorizontalScale = 2.0 / 3;
        p.VerticalScale = 32;
    } else {
        p.HorizontalScale = 0.2;
        p.VerticalScale = 1;
    }
    auto& last = program_.state().remembered;
    last.LastHorizontalScale = p.HorizontalScale;
    last.LastVerticalScale = p.VerticalScale;

    hide();
    if (p.InitAll) program_.show(program_.window<frmSetEnv>());
}
