#include "frmSetSlope.h"

frmSetSlope::frmSetSlope(Program& program) : program_(program) {
    setObjectName("frmSetSlope");
}
