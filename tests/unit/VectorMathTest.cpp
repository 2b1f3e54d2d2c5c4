#include "math/Vector3.h"

#include <gtest/gtest.h>

TEST(VectorLength, AddsTheSquaresInOrder)
{
    EXPECT_EQ(Vector3(3, 4, 12).length(), 13.0);
}
