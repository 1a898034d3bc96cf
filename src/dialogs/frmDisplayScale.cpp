#include "frmDisplayScale.h"

frmDisplayScale::frmDisplayScale(Program& program) : program_(program) {
    setObjectName("frmDisplayScale");
}
