#include "rtl/System.h"

#include <gtest/gtest.h>

TEST(System, IntegerTypesHaveTheFrameworkWidths)
{
    EXPECT_EQ(sizeof(Byte), 1u);
    EXPECT_EQ(sizeof(Word), 2u);
    EXPECT_EQ(sizeof(Integer), 4u);
    EXPECT_EQ(sizeof(Cardinal), 4u);
    EXPECT_EQ(sizeof(Int64), 8u);
}
