#include "frmRunParam.h"

frmRunParam::frmRunParam(Program& program) : program_(program) {
    setObjectName("frmRunParam");
    optHuntingMode = new QRadioButton(this);
    optHuntingMode->setObjectName("optHuntingMode");
    optHuntingMode->setChecked(program.state().remembered.LastHuntingMode);
}
