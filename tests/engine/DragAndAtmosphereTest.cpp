#include <gtest/gtest.h>
#include "DragFunctions.h"
TEST(Drag, G1At4000) { EXPECT_NEAR(tarnwick::Gavre(4000), 1649.6, 1e-9); }
