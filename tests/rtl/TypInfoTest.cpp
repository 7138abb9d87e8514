#include "rtl/TypInfo.h"

#include <gtest/gtest.h>

namespace {
RTL_NAMED_ENUM(TTestColour, tcRed, tcGreen, tcBlue)
using TTestColours = TSet<TTestColour>;
} // namespace

TEST(TypInfo, EnumerationsReadAndWriteByName)
{
    EXPECT_EQ(EnumTypeInfo(tcRed).TypeName(), "TTestColour");
    EXPECT_EQ(EnumTypeInfo(tcRed).Count(), 3);
    EXPECT_EQ(GetEnumName(tcBlue), "tcBlue");
    EXPECT_EQ(GetEnumName(EnumTypeInfo(tcRed), 3), "");
    EXPECT_EQ(GetEnumName(EnumTypeInfo(tcRed), -1), "");
    EXPECT_EQ(GetEnumValue<TTestColour>("tcGreen"), 1);
    EXPECT_EQ(GetEnumValue<TTestColour>("TCGREEN"), 1);
    EXPECT_EQ(GetEnumValue<TTestColour>("tcPink"), -1);
    EXPECT_EQ(GetEnumValue<TTestColour>(""), -1);
}

TEST(TypInfo, SetsWriteTheirNamesInOrdinalOrderAndReadBack)
{
    EXPECT_EQ(SetToString(TTestColours{tcBlue, tcRed}), "[tcRed,tcBlue]");
    EXPECT_EQ(SetToString(TTestColours{tcBlue, tcRed}, false), "tcRed,tcBlue");
    EXPECT_EQ(SetToString(TTestColours{}), "[]");

    EXPECT_EQ(StringToSet<TTestColours>("[tcRed,tcBlue]"), (TTestColours{tcRed, tcBlue}));
    EXPECT_EQ(StringToSet<TTestColours>(" [ tcblue , tcGreen ] "), (TTestColours{tcGreen, tcBlue}));
    EXPECT_EQ(StringToSet<TTestColours>("tcGreen"), TTestColours{tcGreen});
    EXPECT_TRUE(StringToSet<TTestColours>("[]").Empty());
    EXPECT_TRUE(StringToSet<TTestColours>("").Empty());
}

TEST(TypInfo, AnUnknownSetElementIsRefusedByName)
{
    try {
        StringToSet<TTestColours>("[tcRed,tcPink]");
        FAIL() << "no exception";
    } catch (const EPropertyConvertError& E) {
        EXPECT_EQ(E.Message(), "Invalid property element: tcPink");
    }
    EXPECT_THROW(StringToSet<TTestColours>("[tcRed,]"), EPropertyConvertError);
}
