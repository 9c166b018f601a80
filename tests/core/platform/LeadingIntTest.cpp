#include "platform/LeadingInt.h"

#include <gtest/gtest.h>

#include <climits>

TEST(LeadingInt, ReadsLikePercentD)
{
    struct Case {
        const char* text;
        std::optional<int> value;
    } cases[] = {
        {"30", 30},
        {" 5", 5},
        {"15 minutes", 15},
        {"\t-3", -3},
        {"+7", 7},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"-", std::nullopt},
        {"x12", std::nullopt},
        {"99999999999999999999", INT_MAX},
        {"-99999999999999999999", INT_MIN},
        // as the library's files have always been read, line end included
        {"0\n", 0},
        {"-1\n", -1},
        {"  7\n", 7},
        {"+3", 3},
        {"12ab", 12},
        {"abc\n", std::nullopt},
        {"\n", std::nullopt},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(LeadingInt(c.text), c.value);
    }
}
