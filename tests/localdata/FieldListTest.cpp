#include "localdata/FieldList.h"

#include <gtest/gtest.h>

TEST(FieldList, EmptyFieldsButNoEmptyLastField)
{
    CFieldList fields;
    ASSERT_EQ(fields.Split("a,,b,", ','), 3);
    EXPECT_EQ(fields.m_nCount, 3);
    EXPECT_EQ(fields.m_strFields[0], "a");
    EXPECT_EQ(fields.m_strFields[1], "");
    EXPECT_EQ(fields.m_strFields[2], "b");
    EXPECT_EQ(fields.Split("", ','), 0);
    EXPECT_EQ(fields.Split(",", ','), 1);
    EXPECT_EQ(fields.m_strFields[0], "");
    EXPECT_EQ(fields.Split(" 宋体 , x ", ','), 2);
    EXPECT_EQ(fields.m_strFields[0], " 宋体 ") << "fields are not trimmed";
    EXPECT_EQ(fields.m_strFields[1], " x ");
}

TEST(FieldList, AtMostOneHundredFields)
{
    CFieldList fields;
    std::string text;
    for (int i = 0; i < 150; ++i)
        text += std::to_string(i) + "|";
    ASSERT_EQ(fields.Split(text, '|'), 100);
    EXPECT_EQ(fields.m_strFields[99], "99");
    ASSERT_EQ(fields.Split(std::string(150, '|'), '|'), 100);
}

TEST(FieldList, ASecondSplitLeavesNothingOfTheFirst)
{
    CFieldList fields;
    fields.Split("a,b,c,d", ',');
    ASSERT_EQ(fields.Split("x", ','), 1);
    EXPECT_EQ(fields.m_strFields[0], "x");
    EXPECT_EQ(fields.m_strFields[1], "");
    EXPECT_EQ(fields.m_strFields[3], "");
    fields.Clear();
    EXPECT_EQ(fields.m_nCount, 0);
    EXPECT_EQ(fields.m_strFields[0], "");
}

TEST(FieldList, NulEndsTheText)
{
    CFieldList fields;
    EXPECT_EQ(fields.Split(std::string("a,b\0,c", 6), ','), 2);
    EXPECT_EQ(fields.m_strFields[1], "b");
    EXPECT_EQ(fields.Split("a,b", '\0'), 1);
    EXPECT_EQ(fields.m_strFields[0], "a,b");
}
