#include "moduletypes/ModuleTypesFixture.h"

TEST_F(TypeLibraryTest, StrictCheckingAsksTheAssignedType) {
    AddType("LAMPS", {1, 2}, {5});
    AddType("SENSORS", {}, {});
    types.SetStrictChecking(true);

    struct Case {
        const char* szName;
        short nId;
        int nChannel;
        bool bMay;
    };
    const Case cases[] = {
        {"no type assigned", 0, 3, true},
        {"an identifier no type carries", 9, 3, true},
        {"an output channel", 1, 2, true},
        {"a switch latch channel passes like an output", 1, 5, true},
        {"channel 3 is neither", 1, 3, false},
        {"channel 10 is neither", 1, 10, false},
        {"an all-input type", 2, 1, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.bMay, types.ChannelMayCarryBoolean(c.nId, c.nChannel)) << c.szName;

    types.SetStrictChecking(false);
    EXPECT_TRUE(types.ChannelMayCarryBoolean(1, 3)) << "strict checking off";
    EXPECT_TRUE(types.ChannelMayCarryBoolean(2, 1));
}
