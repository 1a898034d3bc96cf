// Hostile text stored through the edit window: each text typed into all ten fields of a
// new row, then Update. Either the table refuses the row with an "Error Code=" box and
// keeps every row it had, or it stores exactly one new row whose numbers are finite;
// deleting that row gives back the table as it was.
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>

#include "HostileInput.h"
#include "NavigationBar.h"
#include "frmEditBullet.h"

namespace {

using namespace std::chrono_literals;

class HostileBulletEditTest : public HostileInputTest {};

// The numeric columns of one dumped row (storage class 2 = REAL, 1 = INTEGER, 5 = NULL)
// that do not hold a finite number.
QStringList nonFiniteNumbers(const QString& row) {
    static const QRegularExpression real(QRegularExpression::anchoredPattern("2:(.*)"));
    QStringList bad;
    for (const QString& field : row.split('|')) {
        const QRegularExpressionMatch match = real.match(field);
        if (!match.hasMatch()) continue;
        bool ok = false;
        const double value = match.captured(1).toDouble(&ok);
        if (!ok || !std::isfinite(value)) bad << field;
    }
    return bad;
}

TEST_F(HostileBulletEditTest, HostileRowsAreRefusedOrStoredFiniteAndTheTableKeepsItsRows) {
    const QStringList before = hostile::dumpBullets(bulletFile());
    ASSERT_FALSE(before.isEmpty());
    hostile::Watchdog watchdog(60s);
    auto& edit = program->window<frmEditBullet>();
    program->show(edit);

    int round = 0;
    for (const QString& text : hostile::texts()) {
        const std::string where = "edit window, text #" + std::to_string(++round);
        watchdog.stage(where);
        edit.cmdAdd->click();
        ASSERT_TRUE(edit.changePending()) << where;
        typeIntoEveryBox(edit, text);
        edit.cmdUpdate->click();

        const QStringList after = hostile::dumpBullets(bulletFile());
        if (edit.changePending()) {
            // Refused: one database error box, nothing stored; Delete drops the add.
            ASSERT_EQ(services->messages.size(), 1u) << where;
            EXPECT_TRUE(services->messages[0].title.startsWith("Error Code=")) << where;
            EXPECT_EQ(after, before) << where;
            edit.cmdDelete->click();
            EXPECT_FALSE(edit.changePending()) << where;
        } else {
            EXPECT_TRUE(services->messages.empty()) << where;
            ASSERT_EQ(after.size(), before.size() + 1) << where;
            EXPECT_EQ(after.mid(0, before.size()), before) << where;
            EXPECT_TRUE(nonFiniteNumbers(after.last()).isEmpty())
                << where << ": " << nonFiniteNumbers(after.last()).join(", ").toStdString();
            // The new row is the last one in stored order.
            edit.datEditBullet->cmdLast->click();
            edit.cmdDelete->click();
        }
        checkRound(where);
        EXPECT_EQ(hostile::dumpBullets(bulletFile()), before) << where;
    }
}

}  // namespace
