#include "frmTrajInfo.h"

frmTrajInfo::frmTrajInfo(Program& program) : program_(program) {
    setObjectName("frmTrajInfo");
}
