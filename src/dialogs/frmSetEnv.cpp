#include "frmSetEnv.h"

frmSetEnv::frmSetEnv(Program& program) : program_(program) {
    setObjectName("frmSetEnv");
    txtRTailWind = new QLineEdit("0", this);
    txtRTailWind->setObjectName("txtRTailWind");
    txtRCrossWind = new QLineEdit("0", this);
    txtRCrossWind->setObjectName("txtRCrossWind");
    txtHTailWind = new QLineEdit("0", this);
    txtHTailWind->setObjectName("txtHTailWind");
    txtHCrossWind = new QLineEdit("0", this);
    txtHCrossWind->setObjectName("txtHCrossWind");
}
