// The bar of a long loop: step by step within the 16-bit range, in
// proportion beyond it.

#include "platform/ProgressScale.h"

#include <gtest/gtest.h>

TEST(ProgressScale, StepsWithinTheRangeAndInProportionBeyond)
{
    const CProgressScale small(16);
    EXPECT_EQ(small.GetRange(), 16);
    EXPECT_EQ(small.GetPosition(0), 0);
    EXPECT_EQ(small.GetPosition(15), 15);
    EXPECT_EQ(small.GetPosition(99), 16);

    const CProgressScale full(65535);
    EXPECT_EQ(full.GetRange(), 65535);
    EXPECT_EQ(full.GetPosition(65534), 65534);

    const CProgressScale large(240000);
    EXPECT_EQ(large.GetRange(), 65535);
    EXPECT_EQ(large.GetPosition(0), 0);
    EXPECT_EQ(large.GetPosition(60000), 16383);  // a quarter: 65535 / 4 = 16383.75
    EXPECT_EQ(large.GetPosition(120000), 32767);
    EXPECT_EQ(large.GetPosition(239999), 65534);
    EXPECT_EQ(large.GetPosition(240000), 65535);
    EXPECT_EQ(large.GetPosition(1000000), 65535);

    const CProgressScale none(0);
    EXPECT_EQ(none.GetRange(), 0);
    EXPECT_EQ(none.GetPosition(5), 0);
}
