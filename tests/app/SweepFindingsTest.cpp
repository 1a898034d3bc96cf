// Faults the hostile-input sweep found, each kept with a test of its own.
#include <QPushButton>
#include <QRadioButton>

#include "HostileInput.h"
#include "frmEditBullet.h"
#include "frmRunParam.h"

namespace {

class SweepFindingsTest : public HostileInputTest {};

// The variants' frame lies inside the mode frame; the four options once formed one
// automatic group, so a click on the selected mode cleared it and left no mode chosen.
TEST_F(SweepFindingsTest, ClickOnTheSelectedModeOrVariantKeepsItSelected) {
    auto& run = program->window<frmRunParam>();
    ASSERT_TRUE(run.optTargetMode->isChecked());
    ASSERT_TRUE(run.optOne->isChecked());

    run.optTargetMode->click();
    EXPECT_TRUE(run.optTargetMode->isChecked());
    EXPECT_FALSE(run.optHuntingMode->isChecked());
    run.optOne->click();
    EXPECT_TRUE(run.optOne->isChecked());

    // Choosing a mode leaves the variant alone, and the other way round.
    run.optHuntingMode->click();
    EXPECT_TRUE(run.optHuntingMode->isChecked());
    EXPECT_FALSE(run.optTargetMode->isChecked());
    EXPECT_TRUE(run.optOne->isChecked());
    run.optTwo->click();
    EXPECT_TRUE(run.optHuntingMode->isChecked());
    EXPECT_TRUE(run.optTwo->isChecked());
    EXPECT_FALSE(run.optOne->isChecked());
    EXPECT_TRUE(params().HuntingMode);
    EXPECT_FALSE(params().PBRMode);
}

// A number beyond the range of a double was stored as infinity, which the select window
// then read as 0. It is refused like other text that is not a number.
TEST_F(SweepFindingsTest, BulletNumberTooLargeForADoubleIsRefusedNotStoredAsInfinity) {
    const QStringList before = hostile::dumpBullets(bulletFile());
    ASSERT_FALSE(before.isEmpty());
    auto& edit = program->window<frmEditBullet>();

    edit.cmdAdd->click();
    const std::pair<QLineEdit*, const char*> row[] = {
        {edit.txtCaliber, ".308"}, {edit.txtManufacturer, "Testmaker"}, {edit.txtBulletType, "SP"},
        {edit.txtBulletMass, "150"}, {edit.txtStockNum, "T1"}, {edit.txtLowBC, "1e999"},
        {edit.txtMidBC, "0.4"}, {edit.txtHighBC, "0.4"}, {edit.txtLowBV, "1000"}, {edit.txtHighBV, "2000"},
    };
    for (const auto& [box, text] : row) box->setText(text);
    edit.cmdUpdate->click();
    EXPECT_EQ(expectMessage("Low Ballistic Coefficient").title, "Error Code=19");
    EXPECT_TRUE(edit.changePending());  // kept for correction, texts as typed
    EXPECT_EQ(edit.txtLowBC->text(), "1e999");
    EXPECT_EQ(hostile::dumpBullets(bulletFile()), before);

    // Corrected, the same row is stored.
    edit.txtLowBC->setText("0.4");
    edit.cmdUpdate->click();
    EXPECT_FALSE(edit.changePending());
    EXPECT_EQ(hostile::dumpBullets(bulletFile()).size(), before.size() + 1);

    // An edit of a stored row refuses an overflowing mass and keeps the row.
    const QStringList withNew = hostile::dumpBullets(bulletFile());
    edit.cmdEdit->click();
    edit.txtBulletMass->setText("-" + QString(400, '9'));
    edit.cmdUpdate->click();
    expectMessage("Bullet Mass");
    edit.cmdDone->click();  // leaving discards the pending edit
    EXPECT_EQ(hostile::dumpBullets(bulletFile()), withNew);
}

}  // namespace
