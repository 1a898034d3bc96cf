#include "frmEditBullet.h"

frmEditBullet::frmEditBullet(Program& program) : program_(program) {
    setObjectName("frmEditBullet");
}
