#pragma once
// Fixture for the bullet windows: a fresh program whose bullet database is a small
// temporary table (the program's file), with the user's copy in another folder.
#include <QTemporaryDir>

#include "BulletDatabaseLocation.h"
#include "BulletTestData.h"
#include "GuiTest.h"
#include "frmEditBullet.h"

class BulletWindowTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        ASSERT_TRUE(dataDir.isValid());
        programFile = dataDir.filePath("program/Bullets.db");
        userFile = dataDir.filePath("user/Bullets.db");
        QDir().mkpath(dataDir.filePath("program"));
        bullettest::writeDatabase(programFile.toStdString());
        bulletFiles = {programFile, userFile, true};
        program = makeProgram();
    }

    // Types `values` into the edit window's boxes, in column order.
    static void fill(frmEditBullet& w, const QStringList& values) {
        QLineEdit* boxes[] = {w.txtCaliber, w.txtManufacturer, w.txtBulletType, w.txtBulletMass,
                              w.txtStockNum, w.txtLowBC,       w.txtMidBC,      w.txtHighBC,
                              w.txtLowBV,    w.txtHighBV,      w.txtG7BC,       w.txtBulletLength};
        for (int i = 0; i < values.size(); ++i) boxes[i]->setText(values[i]);
    }

    QTemporaryDir dataDir;
    QString programFile;
    QString userFile;
};
