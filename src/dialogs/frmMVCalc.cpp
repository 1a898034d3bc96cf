#include "frmMVCalc.h"

frmMVCalc::frmMVCalc(Program& program) : program_(program) {
    setObjectName("frmMVCalc");
}
