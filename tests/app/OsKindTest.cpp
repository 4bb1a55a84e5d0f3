#include <gtest/gtest.h>

#include "app/OsKind.h"

namespace {

using app::classifyOs;

constexpr uint32_t kWin32s = 0;
constexpr uint32_t kWin9x = 1;
constexpr uint32_t kNt = 2;
constexpr uint32_t kCe = 3;

TEST(OsKind, NtVersionsMapToTheirClasses) {
    const struct {
        uint32_t major, minor;
        app::OsKind expected;
    } cases[] = {
        {5, 1, app::OsWinXp},        {5, 0, app::OsWin2000},      {5, 2, app::OsWin2000},
        {5, 3, app::OsWin2000},      {4, 0, app::OsWinNt4},       {4, 1, app::OsUnsupported},
        {4, 90, app::OsUnsupported}, {3, 51, app::OsUnsupported}, {6, 0, app::OsUnsupported},
        {6, 1, app::OsUnsupported},  {10, 0, app::OsUnsupported},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(classifyOs(kNt, c.major, c.minor), c.expected) << c.major << "." << c.minor;
    }
}

TEST(OsKind, EveryWindows9xVersionIsWin9x) {
    for (uint32_t minor : {0u, 10u, 90u}) {
        EXPECT_EQ(classifyOs(kWin9x, 4, minor), app::OsWin9x) << minor;
    }
    EXPECT_EQ(classifyOs(kWin9x, 5, 1), app::OsWin9x);
    EXPECT_EQ(classifyOs(kWin9x, 0, 0), app::OsWin9x);
}

TEST(OsKind, OtherPlatformsAreUnsupported) {
    EXPECT_EQ(classifyOs(kWin32s, 5, 1), app::OsUnsupported);
    EXPECT_EQ(classifyOs(kCe, 5, 1), app::OsUnsupported);
    EXPECT_EQ(classifyOs(0xFFFFFFFFu, 4, 0), app::OsUnsupported);
}

TEST(OsKind, ClassValuesAreTheDocumentedNumbers) {
    EXPECT_EQ(static_cast<int>(app::OsWinXp), 0);
    EXPECT_EQ(static_cast<int>(app::OsWin2000), 1);
    EXPECT_EQ(static_cast<int>(app::OsWinNt4), 2);
    EXPECT_EQ(static_cast<int>(app::OsWin9x), 3);
}

}  // namespace
