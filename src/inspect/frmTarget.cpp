#include "frmTarget.h"

frmTarget::frmTarget(Program& program) : program_(program) {
    setObjectName("frmTarget");
}
