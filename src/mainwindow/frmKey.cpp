#include "frmKey.h"

frmKey::frmKey(Program& program) : program_(program) {
    setObjectName("frmKey");
}
