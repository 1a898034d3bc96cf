#include "frmPrintOutput.h"

frmPrintOutput::frmPrintOutput(Program& program) : program_(program) {
    setObjectName("frmPrintOutput");
}
