#include <gtest/gtest.h>

#include "platform/Screen.h"

using namespace platform;

TEST(CentringTest, NtFamilyCentresOnTheScreen) {
    const Rect area{0, 40, 1280, 1024};
    EXPECT_EQ(centeredPosition(VER_PLATFORM_WIN32_NT, area, Size{1280, 1024}, 1003, 752), (Position{138, 136}));
    // Odd remainders are dropped.
    EXPECT_EQ(centeredPosition(VER_PLATFORM_WIN32_NT, area, Size{1024, 768}, 1001, 751), (Position{11, 8}));
}

TEST(CentringTest, NineXFamilyUsesWorkAreaSizeAtTheScreenCorner) {
    // Task bar on the left and at the top: the area's own left and top are not added.
    const Rect area{100, 30, 1024, 768};
    EXPECT_EQ(centeredPosition(VER_PLATFORM_WIN32_WINDOWS, area, Size{1024, 768}, 800, 600), (Position{62, 69}));
}

TEST(CentringTest, LargerFormTruncatesTowardZero) {
    EXPECT_EQ(centeredPosition(VER_PLATFORM_WIN32_NT, Rect{}, Size{1024, 768}, 1027, 773), (Position{-1, -2}));
    EXPECT_EQ(centeredPosition(VER_PLATFORM_WIN32_WINDOWS, Rect{0, 0, 1024, 768}, Size{}, 1027, 771), (Position{-1, -1}));
}

TEST(CentringTest, InstalledMetricsAndNtFamilyDecide) {
    EXPECT_EQ(versionPlatformId(), VER_PLATFORM_WIN32_NT);
    setScreenMetricsProvider({}, {});
    EXPECT_EQ(screenSize().width, 1024);
    EXPECT_EQ(screenSize().height, 768);
    EXPECT_EQ(workArea().right, 1024);
    EXPECT_EQ(workArea().bottom, 768);
    EXPECT_EQ(centeredPosition(1004, 748), (Position{10, 10}));

    setScreenMetricsProvider([] { return Rect{0, 0, 1920, 1040}; }, [] { return Size{1920, 1080}; });
    EXPECT_EQ(workArea().bottom, 1040);
    EXPECT_EQ(centeredPosition(1000, 1000), (Position{460, 40}));
    setScreenMetricsProvider({}, {});
}
