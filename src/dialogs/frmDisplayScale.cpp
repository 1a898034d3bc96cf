#include "frmDisplayScale.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "DialogSupport.h"
#include "FormSupport.h"
#include "Units.h"

namespace {
// The range each option shows, in yards, in the order of the options.
constexpr int kOptionYards[] = {25, 100, 300, 1000};
}  // namespace

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

    connect(&program.session(), &Session::unitsChanged, this, [this] { showUnits(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

void frmDisplayScale::showUnits() {
    const tarnwick::UnitSystem units = program_.session().units();
    for (std::size_t i = 0; i < std::size(kOptionYards); ++i) {
        const double shown = tarnwick::shownValue(tarnwick::Quantity::Range, units, kOptionYards[i]);
        options()[i]->setText(units == tarnwick::UnitSystem::Metric
                                  ? QStringLiteral("%1 Metres").arg(std::lround(shown))
                                  : QStringLiteral("%1 Yards").arg(kOptionYards[i]));
    }
}

void frmDisplayScale::Form_Load() {
    centreOnScreen(*this);
    showUnits();
    // Exact comparison: only a pair stored from one of the options selects it; any
    // other pair (including 2/3, 32) leaves 300 Yards selected.
    const auto& last = program_.state().remembered;
    opt300Yards->setChecked(true);
    for (std::size_t i = 0; i < std::size(tarnwick::kDisplayScales); ++i)
        if (last.LastHorizontalScale == tarnwick::kDisplayScales[i].horizontal &&
            last.LastVerticalScale == tarnwick::kDisplayScales[i].vertical)
            options()[i]->setChecked(true);
}

void frmDisplayScale::cmdOK_Click() {
    // The first selected option sets its pair; with none of them, the last (1000 Yards).
    const auto all = options();
    const auto selected = std::find_if(all.begin(), all.end() - 1, [](QRadioButton* o) { return o->isChecked(); });
    const std::size_t chosen = static_cast<std::size_t>(selected - all.begin());
    auto& p = program_.params();
    p.HorizontalScale = tarnwick::kDisplayScales[chosen].horizontal;
    p.VerticalScale = tarnwick::kDisplayScales[chosen].vertical;
    auto& last = program_.state().remembered;
    last.LastHorizontalScale = p.HorizontalScale;
    last.LastVerticalScale = p.VerticalScale;

    hide();
    emit accepted();
}
