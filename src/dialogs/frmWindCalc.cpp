#include "frmWindCalc.h"

frmWindCalc::frmWindCalc(Program& program) : program_(program) {
    setObjectName("frmWindCalc");
}
