#include "frmOtherGun.h"

frmOtherGun::frmOtherGun(Program& program) : program_(program) {
    setObjectName("frmOtherGun");
}
