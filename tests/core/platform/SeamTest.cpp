#include "platform/Seam.h"

#include <gtest/gtest.h>

namespace {

struct Service {
    int id = 0;
};

}  // namespace

template <>
Service& Seam<Service>::Fallback()
{
    static Service fallback{-1};
    return fallback;
}

namespace {

using Services = Seam<Service>;

TEST(SeamTest, OverridesNestAndEachPutsBackTheOneBeforeIt)
{
    Service outer{1};
    Service inner{2};
    EXPECT_EQ(Services::Get().id, -1) << "the fallback while none is installed";
    {
        Services::Override useOuter(outer);
        {
            Services::Override useInner(inner);
            EXPECT_EQ(Services::Get().id, 2);
        }
        EXPECT_EQ(Services::Get().id, 1);
        for (int round = 0; round < 2; ++round) {
            Service looped{10 + round};
            Services::Override useLooped(looped);
            EXPECT_EQ(Services::Get().id, 10 + round);
        }
        EXPECT_EQ(Services::Installed(), &outer);
    }
    EXPECT_EQ(Services::Installed(), nullptr);
    EXPECT_EQ(Services::Get().id, -1);
}

}  // namespace
