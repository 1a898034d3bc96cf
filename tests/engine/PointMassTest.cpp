#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "StandardDrag.h"

using namespace tarnwick;

TEST(StandardDrag, CompiledTablesAreTheCsvFiles) {
    for (const auto& [law, file] : {std::pair{StandardDragLaw::G1, "drag-g1.csv"}, {StandardDragLaw::G7, "drag-g7.csv"}}) {
        std::ifstream csv(std::string(TARNWICK_DATA_DIR) + "/" + file);
        std::string line;
        std::getline(csv, line);
        std::size_t row = 0;
        const auto table = standardDragTable(law);
        while (std::getline(csv, line)) {
            ASSERT_LT(row, table.size()) << file;
            EXPECT_EQ(table[row].mach, std::stod(line)) << file << " row " << row;
            EXPECT_EQ(table[row].cd, std::stod(line.substr(line.find(',') + 1))) << file << " row " << row;
            ++row;
        }
        EXPECT_EQ(row, table.size()) << file;
    }
}

TEST(StandardDrag, CurveHitsEveryPointAndNeverLeavesItsNeighbours) {
    for (const auto law : {StandardDragLaw::G1, StandardDragLaw::G7}) {
        const auto table = standardDragTable(law);
        const DragCurve& curve = standardDragCurve(law);
        for (std::size_t i = 0; i < table.size(); ++i) {
            EXPECT_NEAR(curve.cd(table[i].mach), table[i].cd, 1e-12) << "Mach " << table[i].mach;
            if (i + 1 == table.size()) break;
            for (const double f : {0.25, 0.5, 0.75}) {  // monotone cubic: no overshoot
                const double m = table[i].mach + f * (table[i + 1].mach - table[i].mach);
                EXPECT_GE(curve.cd(m), std::min(table[i].cd, table[i + 1].cd) - 1e-12) << "Mach " << m;
                EXPECT_LE(curve.cd(m), std::max(table[i].cd, table[i + 1].cd) + 1e-12) << "Mach " << m;
            }
        }
        EXPECT_EQ(curve.cd(7.5), table.back().cd);  // beyond Mach 5 the last value holds
        EXPECT_EQ(curve.cd(-1), table.front().cd);
    }
}
