#include "frmSelectBullet.h"

frmSelectBullet::frmSelectBullet(Program& program) : program_(program) {
    setObjectName("frmSelectBullet");
    txtManufacturer = new QLineEdit(this);
    txtManufacturer->setObjectName("txtManufacturer");
    txtBulletMass = new QLineEdit(this);
    txtBulletMass->setObjectName("txtBulletMass");
    txtBulletType = new QLineEdit(this);
    txtBulletType->setObjectName("txtBulletType");
}
