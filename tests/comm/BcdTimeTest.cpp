#include "comm/BcdTime.h"

#include <gtest/gtest.h>

TEST(BcdTime, ReadsEachByteAsTwoDecimalDigits)
{
    EXPECT_EQ(BcdTime(0x10, 0x25, 0x07), QTime(10, 25, 7));
    EXPECT_EQ(BcdTime(0x23, 0x59, 0x59), QTime(23, 59, 59));
    EXPECT_EQ(BcdTime(0x00, 0x00, 0x00), QTime(0, 0));
}

TEST(BcdTime, NoValidTimeGivesMidnight)
{
    EXPECT_EQ(BcdTime(0x25, 0x00, 0x00), QTime(0, 0));  // hours out of range
    EXPECT_EQ(BcdTime(0x24, 0x00, 0x00), QTime(0, 0));
    EXPECT_EQ(BcdTime(0x10, 0x60, 0x00), QTime(0, 0));  // minutes out of range
    EXPECT_EQ(BcdTime(0x10, 0x1A, 0x00), QTime(0, 0));  // not a decimal digit
    EXPECT_EQ(BcdTime(0x12, 0x30, 0x0F), QTime(0, 0));
    EXPECT_EQ(BcdTime(0xA1, 0x00, 0x00), QTime(0, 0));
}
