#include "model/Affix.h"

#include <gtest/gtest.h>

using namespace glossivo;

TEST(AffixTest, rawValueIsExactAndCaseSensitive)
{
    EXPECT_EQ(fromRawValue<Affix>(u"ship"), Affix::ship);
    EXPECT_EQ(fromRawValue<Affix>(u"Ship"), std::nullopt);
    EXPECT_EQ(fromRawValue<Affix>(u"-ship"), std::nullopt);
    EXPECT_EQ(fromRawValue<Affix>(u"un-"), std::nullopt);
}
