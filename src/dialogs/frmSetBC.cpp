#include "frmSetBC.h"

frmSetBC::frmSetBC(Program& program) : program_(program) {
    setObjectName("frmSetBC");
}
