#include "math/Vector3.h"
#include <gtest/gtest.h>
TEST(Placeholder, Builds) { EXPECT_EQ(Vector3().x, 0.0); }
